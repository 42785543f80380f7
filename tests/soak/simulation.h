// A seeded simulation of the robot left alone for days: the main window on
// the in-process demo broker and a simulated terminal, in virtual time. The
// seed decides everything: arrows, chart changes, the strategy and its
// settings, the outcomes, and the faults of the site and the terminal. The
// rules of unattended trading are checked as it runs.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vantrope::testing {

struct SimulationReport {
  double days = 0;
  int signals = 0;  // arrows drawn
  int arrows_bought = 0;
  int purchases = 0;
  int won = 0, lost = 0, unknown = 0;
  // The deadlines the rules set: without them the robot's idleness would pass.
  int armed = 0;
  std::map<std::string, int> not_bought;  // arrows, by the reason they were not due
  std::map<std::string, int> stops;       // by the robot itself, by reason
  std::map<std::string, int> faults;      // injected, by kind
  struct Day {
    int arrows = 0;
    int purchases = 0;
    int stops = 0;     // by the robot itself
    int restarts = 0;  // the program killed and started again
  };
  std::vector<Day> per_day;
  // Every purchase of the site's book, to the millisecond, in one number:
  // two runs of a seed with the same digest bought the same.
  uint64_t book_digest = 0;
  // Each break with the seed, the simulated time and the last debug-log lines.
  std::vector<std::string> breaks;

  void Add(const SimulationReport& other);
};

// One run of `days` simulated days from the seed; a break shows the last
// `debug_lines` lines of the debug log.
SimulationReport RunSimulation(uint32_t seed, double days, int debug_lines = 60);

}  // namespace vantrope::testing
