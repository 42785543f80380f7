// vantrope-soak: the seeded simulation for as long as asked, as runs of a
// few simulated days each (a new robot and site each run, as after a
// restart of the machine), and its figures.
//
//   vantrope-soak --days 10000 --seed 1 [--run-days 10] [--lines 60]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "soak/simulation.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: vantrope-soak --days N [--seed S] [--run-days D] [--lines L]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  double days = 0;
  double run_days = 10;
  uint32_t seed = 1;
  int lines = 60;  // of the debug log, shown with a break
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    const char* value = argv[i + 1];
    if (option == "--days") {
      days = std::atof(value);
    } else if (option == "--run-days") {
      run_days = std::atof(value);
    } else if (option == "--lines") {
      lines = std::atoi(value);
    } else if (option == "--seed") {
      seed = static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
    } else {
      return Usage();
    }
  }
  if (argc % 2 == 0 || days <= 0 || run_days <= 0) return Usage();

  const auto start = std::chrono::steady_clock::now();
  vantrope::testing::SimulationReport total;
  for (double done = 0; done < days; done += run_days, ++seed) {
    const vantrope::testing::SimulationReport run = vantrope::testing::RunSimulation(seed, std::min(run_days, days - done), lines);
    for (const std::string& what : run.breaks) std::printf("BREAK %s\n", what.c_str());
    total.Add(run);
    std::fflush(stdout);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("simulated days: %.0f\nsignals: %d\npurchases: %d (won %d, lost %d, result unknown %d)\n", total.days,
              total.signals, total.purchases, total.won, total.lost, total.unknown);
  std::printf("faults injected:\n");
  for (const auto& [kind, count] : total.faults) std::printf("  %s: %d\n", kind.c_str(), count);
  std::printf("invariant breaks: %zu\nwall time: %.0f s\n", total.breaks.size(), seconds);
  return total.breaks.empty() ? 0 : 1;
}
