// SPDX-License-Identifier: MIT
// Timings of the string table core on a generated CSF table of a million labels (about 120 MB):
// CSF read (from memory and from a file), categories, CSF write, STR write and read, import.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "BigTable.h"
#include "core/CompiledStrings.h"
#include "core/FileIO.h"

using namespace vste;

namespace {

using bench::generateCsf;
using bench::kLabels;

const std::vector<std::uint8_t>& csfBytes() {
    static const std::vector<std::uint8_t> bytes = generateCsf(2024);
    return bytes;
}

std::unique_ptr<TCompiledStrings> readCsf(std::span<const std::uint8_t> bytes) {
    NullProgress progress;
    bool singleByte = false;
    return TCompiledStrings::CreateFromBuffer(bytes, progress, singleByte);
}

const TCompiledStrings& table() {
    static const std::unique_ptr<TCompiledStrings> doc = readCsf(csfBytes());
    return *doc;
}

void CsfReadBuffer(benchmark::State& state) {
    const auto& bytes = csfBytes();
    for (auto _ : state) {
        auto doc = readCsf(bytes);
        benchmark::DoNotOptimize(doc->Body.data());
        state.PauseTiming();
        doc.reset(); // releasing a million labels is not part of reading
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void CsfReadFile(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "vste_core_bench.csf").string();
    StoreFileAtomically(path, csfBytes());
    for (auto _ : state) {
        NullProgress progress;
        bool singleByte = false;
        auto doc = TCompiledStrings::CreateFromFile(path, progress, singleByte);
        benchmark::DoNotOptimize(doc->Body.data());
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
}

void GetCategories(benchmark::State& state) {
    const TCompiledStrings& doc = table();
    for (auto _ : state) {
        TCat cats = doc.GetCategories();
        benchmark::DoNotOptimize(cats.data());
    }
}

void CsfWrite(benchmark::State& state) {
    const TCompiledStrings& doc = table();
    const bool ansi = state.range(0) != 0;
    for (auto _ : state) {
        NullProgress progress;
        auto bytes = doc.SaveToBuffer(progress, ansi);
        benchmark::DoNotOptimize(bytes.data());
    }
}

void StrWrite(benchmark::State& state) {
    const TCompiledStrings& doc = table();
    for (auto _ : state) {
        NullProgress progress;
        auto bytes = doc.SaveToSTRBuffer(progress);
        benchmark::DoNotOptimize(bytes.data());
    }
}

void StrRead(benchmark::State& state) {
    NullProgress progress;
    const std::vector<std::uint8_t> text = table().SaveToSTRBuffer(progress);
    for (auto _ : state) {
        auto doc = TCompiledStrings::CreateFromSTRBuffer(text, progress);
        benchmark::DoNotOptimize(doc->Body.data());
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}

void Import(benchmark::State& state) {
    const std::vector<std::uint8_t> other = generateCsf(99);
    for (auto _ : state) {
        state.PauseTiming();
        auto current = std::make_unique<TCompiledStrings>(table());
        auto source = readCsf(other);
        state.ResumeTiming();
        NullProgress progress;
        current->ImportStrings(*source, progress);
        benchmark::DoNotOptimize(current->Body.data());
        state.PauseTiming();
        current.reset();
        source.reset();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(CsfReadBuffer)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(CsfReadFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(GetCategories)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(CsfWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(StrWrite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(StrRead)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Import)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
