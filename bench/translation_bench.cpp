// SPDX-License-Identifier: MIT
// The translation memory at the size of the million-label table: loading a TMX of about a
// million units with its fuzzy index, and one suggestion query (the target is 100 ms after
// loading).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "BigTable.h"
#include "translation/FuzzyIndex.h"
#include "translation/Tmx.h"

namespace {

using namespace vste;

// The million-label table paired with its reversed values, as TMX bytes.
const std::vector<std::uint8_t>& MemoryFile() {
    static const std::vector<std::uint8_t> bytes = [] {
        const auto table = bench::readBigTable();
        TCSFBody reversed = table->Body;
        for (TText& text : reversed)
            for (TTextContainer& v : text.Values)
                v.Value.assign(v.Value.rbegin(), v.Value.rend());
        MemoryBuilder memory;
        AddTablePairs(memory, table->Body, reversed);
        return WriteTmx(memory.units(), "en", "de");
    }();
    return bytes;
}

struct Loaded {
    TmxContents memory;
    FuzzyIndex index;
};

std::unique_ptr<Loaded> Load() {
    auto loaded = std::make_unique<Loaded>();
    loaded->memory = ReadTmx(MemoryFile());
    const std::vector<TmUnit>& units = loaded->memory.units;
    loaded->index = FuzzyIndex(
        units.size(), [&units](std::size_t k) { return std::u16string_view(units[k].source); });
    return loaded;
}

const Loaded& Memory() {
    static const std::unique_ptr<Loaded> loaded = Load();
    return *loaded;
}

void BM_TmxLoadWithIndex(benchmark::State& state) {
    MemoryFile();
    for (auto _ : state) {
        auto loaded = Load();
        benchmark::DoNotOptimize(loaded.get());
        state.counters["units"] = static_cast<double>(loaded->memory.units.size());
    }
}
BENCHMARK(BM_TmxLoadWithIndex)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SuggestFuzzy(benchmark::State& state) {
    const Loaded& loaded = Memory();
    // A sentence of the table's words that no unit holds exactly.
    const std::u16string text = u"the commander is under attack and our harvester is ready";
    for (auto _ : state) {
        auto found = loaded.index.search(text, 70, 5);
        benchmark::DoNotOptimize(found.data());
        state.counters["found"] = static_cast<double>(found.size());
    }
}
BENCHMARK(BM_SuggestFuzzy)->Unit(benchmark::kMillisecond);

void BM_SuggestNearMatch(benchmark::State& state) {
    const Loaded& loaded = Memory();
    // A unit's source with its last word retyped, as a string changed since the memory was made.
    std::u16string text = loaded.memory.units[loaded.memory.units.size() / 3].source;
    text.resize(text.rfind(u' ') + 1);
    text += u"reinforcements";
    for (auto _ : state) {
        auto found = loaded.index.search(text, 70, 5);
        benchmark::DoNotOptimize(found.data());
        state.counters["found"] = static_cast<double>(found.size());
    }
}
BENCHMARK(BM_SuggestNearMatch)->Unit(benchmark::kMillisecond);

void BM_SuggestTableValues(benchmark::State& state) {
    const Loaded& loaded = Memory();
    // The Suggestions panel's queries: one string of the table after another, a translator's
    // walk; the longest of them is what the panel may keep a translator waiting.
    const auto& units = loaded.memory.units;
    std::size_t next = 0;
    double longest = 0;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        auto found = loaded.index.search(units[next++ * 7919 % units.size()].source, 70, 9);
        benchmark::DoNotOptimize(found.data());
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - started;
        longest = std::max(longest, took.count());
    }
    state.counters["longest_ms"] = longest;
}
BENCHMARK(BM_SuggestTableValues)->Unit(benchmark::kMillisecond)->Iterations(100);

void BM_SuggestShortText(benchmark::State& state) {
    const Loaded& loaded = Memory();
    for (auto _ : state) {
        auto found = loaded.index.search(u"enemy base", 70, 5);
        benchmark::DoNotOptimize(found.data());
    }
}
BENCHMARK(BM_SuggestShortText)->Unit(benchmark::kMillisecond);

void BM_SuggestExact(benchmark::State& state) {
    const Loaded& loaded = Memory();
    const std::u16string text = loaded.memory.units[loaded.memory.units.size() / 2].source;
    for (auto _ : state) {
        auto found = loaded.index.search(text, 100, 5);
        benchmark::DoNotOptimize(found.data());
    }
}
BENCHMARK(BM_SuggestExact)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
