// Speed of the computation that runs on every keystroke.
#include <benchmark/benchmark.h>

#include "engine/engine.h"

namespace {

using brennquist::InputSet;
using brennquist::ResultSet;
using brennquist::Separators;

void Compute(benchmark::State& state, const InputSet& inputs) {
    const Separators separators;
    ResultSet results;
    for (auto _ : state) {
        benchmark::DoNotOptimize(brennquist::ComputeResults(inputs, results, separators));
    }
}
BENCHMARK_CAPTURE(Compute, StartTexts, InputSet{});
BENCHMARK_CAPTURE(Compute, NiMH,
                  InputSet{"NiMH", "3000", "10", "60", "10", "1", "15", "70", "900"});

void ParseRealGerman(benchmark::State& state) {
    const Separators separators;
    for (auto _ : state) {
        benchmark::DoNotOptimize(brennquist::ParseReal(" 1.234,5678 ", separators));
    }
}
BENCHMARK(ParseRealGerman);

void FormatRealGerman(benchmark::State& state) {
    const Separators separators;
    double value = 3 * 3.7;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(brennquist::FormatReal(value, separators));
    }
}
BENCHMARK(FormatRealGerman);

}  // namespace

BENCHMARK_MAIN();
