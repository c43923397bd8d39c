// SPDX-License-Identifier: MIT
// Timings of the check engine on the million-label table: every rule without a reference
// (target < 1 s), and with a million-label reference (target < 2 s), prepare included.
#include <benchmark/benchmark.h>

#include "BigTable.h"
#include "checks/CheckEngine.h"
#include "core/CompiledStrings.h"

using namespace vste;

namespace {

const TCompiledStrings& table() {
    static const std::unique_ptr<TCompiledStrings> doc = bench::readBigTable();
    return *doc;
}

// The same names with other values, as an original-language table would have.
const TCompiledStrings& reference() {
    static const std::unique_ptr<TCompiledStrings> doc = [] {
        auto copy = bench::readBigTable();
        for (TText& text : copy->Body)
            for (TTextContainer& v : text.Values)
                v.Value.insert(0, u"Original: ");
        return copy;
    }();
    return *doc;
}

void run(benchmark::State& state, const Reference* ref) {
    const CheckTarget target{DocumentFormat::CSF, true, 1252};
    std::size_t findings = 0;
    for (auto _ : state) {
        CheckEngine engine(target, {}, ref);
        engine.prepare(table().Body);
        findings = 0;
        engine.checkAll([&findings](Finding&&) { ++findings; });
    }
    state.counters["findings"] = static_cast<double>(findings);
}

void CheckAllRules(benchmark::State& state) {
    table();
    run(state, nullptr);
}

void CheckWithReference(benchmark::State& state) {
    const Reference ref(reference().Body, 1252); // indexed once, as a loaded reference is
    run(state, &ref);
}

void CheckTenStrings(benchmark::State& state) {
    const CheckTarget target{DocumentFormat::CSF, true, 1252};
    CheckEngine engine(target);
    engine.prepare(table().Body);
    const std::vector<std::uint32_t> changed{1,    10,    100,   1000,   5000,
                                             9000, 20000, 70000, 500000, 999999};
    for (auto _ : state)
        engine.checkStrings(changed, [](Finding&&) {});
}

} // namespace

BENCHMARK(CheckAllRules)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckWithReference)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckTenStrings)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
