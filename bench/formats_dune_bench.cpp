// SPDX-License-Identifier: MIT
// Reading and writing a Dune 2000 string table of a million records; each should stay under 0.5 s.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/ByteWriter.h"
#include "core/Progress.h"
#include "formats/Dune2000Strings.h"

namespace {

constexpr std::uint32_t kRecords = 1'000'000;

std::vector<std::uint8_t> MakeTable() {
    vste::ByteWriter out;
    out.u32(kRecords);
    for (std::uint32_t i = 0; i < kRecords; ++i) {
        const std::string name = "TXT_STRING_" + std::to_string(i);
        std::string value = "Value number " + std::to_string(i) + " of the table";
        if (i % 10 == 0)
            value += "\xAC"
                     "second line";
        out.u16(static_cast<std::uint16_t>(name.size() + 1));
        out.bytes(name);
        out.u8(0);
        out.u16(static_cast<std::uint16_t>(value.size() + 1));
        out.bytes(value);
        out.u8(0);
    }
    return out.take();
}

const std::vector<std::uint8_t>& Table() {
    static const std::vector<std::uint8_t> table = MakeTable();
    return table;
}

void BM_ReadDune2000Million(benchmark::State& state) {
    vste::NullProgress progress;
    for (auto _ : state) {
        auto document = vste::TDune2000Strings::CreateFromBuffer(Table(), progress);
        benchmark::DoNotOptimize(document->Body.data());
        state.PauseTiming(); // releasing the document is not part of reading it
        document.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_WriteDune2000Million(benchmark::State& state) {
    vste::NullProgress progress;
    const auto document = vste::TDune2000Strings::CreateFromBuffer(Table(), progress);
    for (auto _ : state) {
        auto bytes = document->SaveToBuffer(progress, false);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

} // namespace

BENCHMARK(BM_ReadDune2000Million)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDune2000Million)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
