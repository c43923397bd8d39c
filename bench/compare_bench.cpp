// SPDX-License-Identifier: MIT
// Timings of the comparison engine on two tables of about a million labels each (see
// CompareTables.h): matching names ignoring case, the diff, the three-way update and the
// status of a document against a reference. Whole vste-cli runs are timed by compare_cli.sh.
#include <benchmark/benchmark.h>

#include "CompareTables.h"
#include "compare/ReferenceStatus.h"
#include "compare/TableDiff.h"
#include "compare/TranslationUpdate.h"

using namespace vste;

namespace {

struct Tables {
    std::unique_ptr<TCompiledStrings> old = bench::readBigTable();
    TCSFBody newer = bench::newerVersion(old->Body);
    TCompiledStrings translation;
    Tables() {
        translation = *old;
        translation.Body = bench::translationOf(old->Body);
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

void MatchByNameMillion(benchmark::State& state) {
    const Tables& t = tables();
    for (auto _ : state) {
        NameMatch match = MatchByName(t.old->Body, t.newer, 1252);
        benchmark::DoNotOptimize(match.toB.data());
    }
}

void DiffMillion(benchmark::State& state) {
    const Tables& t = tables();
    for (auto _ : state) {
        TableDiff diff = DiffTables(t.old->Body, t.newer, 1252);
        benchmark::DoNotOptimize(diff.changed.data());
    }
}

void UpdateMillion(benchmark::State& state) {
    const Tables& t = tables();
    for (auto _ : state) {
        UpdatedTable r = UpdateTranslation(t.old->Body, t.newer, t.translation, DocumentFormat::CSF,
                                           {false, 1252});
        benchmark::DoNotOptimize(r.body.data());
        state.PauseTiming();
        r = UpdatedTable{}; // releasing a million strings is not part of the update
        state.ResumeTiming();
    }
}

void ReferenceStatusMillion(benchmark::State& state) {
    const Tables& t = tables();
    for (auto _ : state) {
        ReferenceStatus s = CompareWithReference(t.translation.Body, t.newer, {}, 1252);
        benchmark::DoNotOptimize(s.flags.data());
    }
}

} // namespace

BENCHMARK(MatchByNameMillion)->Unit(benchmark::kMillisecond);
BENCHMARK(DiffMillion)->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateMillion)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceStatusMillion)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
