// The strategy lab's Monte Carlo: runs of bets with the shipped martingale.
#include <benchmark/benchmark.h>

#include "lab/strategy_lab.h"

namespace vantrope {
namespace {

void BM_MonteCarlo(benchmark::State& state) {
  LabInputs inputs;
  inputs.strategy = stMartingale;
  inputs.params.BetSize = 3;
  inputs.params.BetCount = 5;
  inputs.params.ChainCount = 2;
  // Enough money that runs go the whole way: every bet is simulated.
  inputs.balance = 1e7;
  inputs.runs = static_cast<int>(state.range(0));
  inputs.bets = static_cast<int>(state.range(1));
  int64_t bets = 0;
  for (auto _ : state) {
    const LabResult result = RunMonteCarlo(inputs);
    for (const LabRun& run : result.runs) bets += run.bets;
  }
  state.counters["bets/s"] = benchmark::Counter(static_cast<double>(bets), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MonteCarlo)->Args({10000, 1000})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace vantrope

BENCHMARK_MAIN();
