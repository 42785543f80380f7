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
  int idle_runs = 0;
  for (double done = 0; done < days; done += run_days, ++seed) {
    const vantrope::testing::SimulationReport run = vantrope::testing::RunSimulation(seed, std::min(run_days, days - done), lines);
    for (const std::string& what : run.breaks) std::printf("BREAK %s\n", what.c_str());
    // A run that bought nothing, or in which no rule ever expected a purchase, proves nothing.
    if (run.purchases == 0 || run.armed == 0) {
      std::printf("IDLE seed %u: %d purchases, %d deadlines armed\n", seed, run.purchases, run.armed);
      ++idle_runs;
    }
    for (size_t day = 0; day < run.per_day.size(); ++day) {
      const vantrope::testing::SimulationReport::Day& d = run.per_day[day];
      std::printf("seed %u day %zu: arrows %d, purchases %d, stops %d, restarts %d\n", seed, day, d.arrows,
                  d.purchases, d.stops, d.restarts);
    }
    std::printf("seed %u book %016llx\n", seed, static_cast<unsigned long long>(run.book_digest));
    total.Add(run);
    std::fflush(stdout);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("simulated days: %.0f\narrows drawn: %d, bought: %d\n", total.days, total.signals, total.arrows_bought);
  std::printf("purchases: %d (won %d, lost %d, result unknown %d)\ndeadlines armed: %d\n", total.purchases, total.won,
              total.lost, total.unknown, total.armed);
  std::printf("arrows not due, by reason:\n");
  for (const auto& [reason, count] : total.not_bought) std::printf("  %s: %d\n", reason.c_str(), count);
  std::printf("stops by the robot itself, by reason:\n");
  for (const auto& [reason, count] : total.stops) std::printf("  %s: %d\n", reason.c_str(), count);
  std::printf("faults injected:\n");
  for (const auto& [kind, count] : total.faults) std::printf("  %s: %d\n", kind.c_str(), count);
  std::printf("rule breaks: %zu\nidle runs: %d\nwall time: %.0f s\n", total.breaks.size(), idle_runs, seconds);
  return total.breaks.empty() && idle_runs == 0 ? 0 : 1;
}
