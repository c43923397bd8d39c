// SPDX-License-Identifier: MIT
// Reading and writing an Empire at War text data file of 1,000,000 entries; each should take
// well under half a second.
#include <benchmark/benchmark.h>

#include <string>

#include "core/EmpireAtWarStrings.h"

using namespace vste;

namespace {

constexpr int kEntries = 1'000'000;

// Names like the game's own (TEXT_UNIT_123456) with values of a typical length.
const TEmpireAtWarStrings& SampleDocument() {
    static const TEmpireAtWarStrings doc = [] {
        TEmpireAtWarStrings d;
        d.Body.reserve(kEntries);
        for (int i = 0; i < kEntries; ++i) {
            TText text;
            text.Name = "TEXT_UNIT_" + std::to_string(i);
            std::u16string value = u"Description of unit number ";
            for (char c : std::to_string(i))
                value.push_back(static_cast<char16_t>(c));
            text.Values.push_back(
                TTextContainer{TEmpireAtWarStrings::KeyForName(text.Name), std::move(value), {}});
            d.Body.push_back(std::move(text));
        }
        return d;
    }();
    return doc;
}

const std::vector<std::uint8_t>& SampleFile() {
    static const std::vector<std::uint8_t> file = [] {
        NullProgress progress;
        return SampleDocument().SaveToBuffer(progress, false);
    }();
    return file;
}

void BM_EmpireAtWarRead(benchmark::State& state) {
    const auto& file = SampleFile();
    NullProgress progress;
    for (auto _ : state) {
        auto doc = TEmpireAtWarStrings::CreateFromBuffer(file, progress);
        benchmark::DoNotOptimize(doc->Body.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_EmpireAtWarRead)->Unit(benchmark::kMillisecond);

void BM_EmpireAtWarWrite(benchmark::State& state) {
    // The sample's keys are ascending as read from a file, so the writer sorts by key.
    NullProgress progress;
    const auto doc = TEmpireAtWarStrings::CreateFromBuffer(SampleFile(), progress);
    for (auto _ : state) {
        auto bytes = doc->SaveToBuffer(progress, false);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_EmpireAtWarWrite)->Unit(benchmark::kMillisecond);

void BM_EmpireAtWarWriteAfterAdd(benchmark::State& state) {
    // A string added at the end must be sorted into place among the million.
    NullProgress progress;
    auto doc = TEmpireAtWarStrings::CreateFromBuffer(SampleFile(), progress);
    TText added;
    added.Name = "TEXT_ADDED";
    added.Values.resize(1);
    doc->AddString(std::move(added));
    for (auto _ : state) {
        auto bytes = doc->SaveToBuffer(progress, false);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_EmpireAtWarWriteAfterAdd)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
