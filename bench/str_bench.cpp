// SPDX-License-Identifier: MIT
// Reading and writing an STR table of a million labels (about 100 MB), with escapes in some
// values and speech names after some of them.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/CompiledStrings.h"

namespace {

constexpr int kLabels = 1'000'000;

const std::vector<std::uint8_t>& GeneratedStr() {
    static const std::vector<std::uint8_t> data = [] {
        std::string text;
        text.reserve(static_cast<std::size_t>(kLabels) * 110);
        const std::string filler =
            "The quick brown fox jumps over the lazy dog, then rests for a while ";
        for (int i = 0; i < kLabels; ++i) {
            text += "// entry ";
            text += std::to_string(i);
            text += "\r\nCAT";
            text += std::to_string(i % 500);
            text += ":Label_";
            text += std::to_string(i);
            text += "\r\n\"";
            text += filler;
            text += (i % 7 == 0) ? "\\nwith a second line" : "to finish";
            text += (i % 11 == 0) ? " in \\\"C:\\\\Games\\\"\"" : "\"";
            if (i % 3 == 0) {
                text += " = Speech_";
                text += std::to_string(i);
            }
            text += "\r\nEND\r\n\r\n";
        }
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }();
    return data;
}

void BM_ReadStr(benchmark::State& state) {
    const auto& data = GeneratedStr();
    vste::NullProgress progress;
    for (auto _ : state) {
        auto doc = vste::TCompiledStrings::CreateFromSTRBuffer(data, progress);
        benchmark::DoNotOptimize(doc->Body.data());
        // Releasing the table is not part of reading it.
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}

void BM_WriteStr(benchmark::State& state) {
    vste::NullProgress progress;
    const auto doc = vste::TCompiledStrings::CreateFromSTRBuffer(GeneratedStr(), progress);
    for (auto _ : state) {
        auto out = doc->SaveToSTRBuffer(progress);
        benchmark::DoNotOptimize(out.data());
        state.PauseTiming();
        out = {};
        state.ResumeTiming();
    }
}

BENCHMARK(BM_ReadStr)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WriteStr)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
