// SPDX-License-Identifier: MIT
// Exchange files of large tables: export and apply of CSV and PO with 1,000,000 labels, and of
// XLSX with 100,000 labels.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

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

// Export and apply of every format, in this order; XLSX, the slowest to write and read, with a
// tenth of the labels.
[[maybe_unused]] const bool kRegistered = [] {
    struct Case {
        const char* name;
        vste::ExchangeFormat format;
        std::int64_t labels;
    };
    for (const Case& c : {Case{"Csv", vste::ExchangeFormat::Csv, 1000000},
                          Case{"Po", vste::ExchangeFormat::Po, 1000000},
                          Case{"Xlsx", vste::ExchangeFormat::Xlsx, 100000},
                          Case{"Xliff", vste::ExchangeFormat::Xliff, 1000000}}) {
        benchmark::RegisterBenchmark((std::string("Export/") + c.name).c_str(), Export, c.format)
            ->Arg(c.labels)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("Apply/") + c.name).c_str(), Apply, c.format)
            ->Arg(c.labels)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
