// SPDX-License-Identifier: MIT
// Exchange files of large tables: export and apply of CSV and PO with 1,000,000 labels, and of
// XLSX with 100,000 labels.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/CompiledStrings.h"
#include "core/NameIndex.h"
#include "encoding/CodePage.h"
#include "exchange/ApplyPlan.h"
#include "exchange/Exchange.h"

namespace {

vste::TCompiledStrings MakeTable(std::size_t labels) {
    vste::TCompiledStrings table;
    table.Body.reserve(labels);
    for (std::size_t i = 0; i < labels; ++i) {
        vste::TText text;
        text.Tag = vste::kLabelTag;
        text.Name = "GUI:Label_" + std::to_string(i);
        vste::TTextContainer value;
        value.Tag = vste::kValueTagV3;
        value.Value = u"Build the \"factory\", then press Enter, commander " +
                      vste::Utf8ToUtf16(std::to_string(i));
        text.Values.push_back(std::move(value));
        table.Body.push_back(std::move(text));
    }
    return table;
}

// Names are found as `vste-cli apply` finds them: through the shared name index.
vste::ApplyOptions Options(const vste::TCompiledStrings& table) {
    auto names = std::make_shared<vste::NameIndex>(table.Body);
    auto scratch = std::make_shared<std::string>();
    vste::ApplyOptions options;
    options.find = [names, scratch](std::string_view name) -> std::optional<std::uint32_t> {
        const std::uint32_t i = names->find(name, *scratch);
        return i == vste::kNoString ? std::nullopt : std::optional<std::uint32_t>(i);
    };
    return options;
}

void Export(benchmark::State& state, vste::ExchangeFormat format) {
    vste::SetActiveCodePage(1252);
    const auto table = MakeTable(static_cast<std::size_t>(state.range(0)));
    const vste::ExchangeFormatInfo& info =
        vste::ExchangeFormats()[static_cast<std::size_t>(format)];
    for (auto _ : state) {
        const auto bytes = info.write(vste::ExportSource(table, {}), {});
        benchmark::DoNotOptimize(bytes.data());
        state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
    }
}

void Apply(benchmark::State& state, vste::ExchangeFormat format) {
    vste::SetActiveCodePage(1252);
    auto table = MakeTable(static_cast<std::size_t>(state.range(0)));
    const vste::ExchangeFormatInfo& info =
        vste::ExchangeFormats()[static_cast<std::size_t>(format)];
    const auto bytes = info.write(vste::ExportSource(table, {}), {});
    for (auto _ : state) {
        // Reading the file, matching every name and applying: what `vste-cli apply` does
        // between reading the table and writing it.
        const auto rows = info.read(bytes, {});
        const vste::ApplyPlan plan = vste::BuildApplyPlan(table, rows, Options(table));
        vste::ApplyPlanTo(table, plan);
        benchmark::DoNotOptimize(plan.report.unchanged);
    }
}

} // namespace

BENCHMARK_CAPTURE(Export, Csv, vste::ExchangeFormat::Csv)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Apply, Csv, vste::ExchangeFormat::Csv)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, Po, vste::ExchangeFormat::Po)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Apply, Po, vste::ExchangeFormat::Po)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, Xlsx, vste::ExchangeFormat::Xlsx)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Apply, Xlsx, vste::ExchangeFormat::Xlsx)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, Xliff, vste::ExchangeFormat::Xliff)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Apply, Xliff, vste::ExchangeFormat::Xliff)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
