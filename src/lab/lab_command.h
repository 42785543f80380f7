// The lab as a console command: the options as given, the strategies'
// settings from the settings file, the figures as text.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrope {

// The options' values as typed; none for an option not given.
struct LabCommand {
  std::vector<std::string> strategies;  // pages, side by side; none: the page shown
  std::optional<std::string> runs, bets, win_rate, payout, balance, seed, replay;
};

struct LabCommandOutput {
  int status = 0;  // 0 done, 1 a file could not be read, 2 a value out of its range
  std::string out;
  std::string err;
};

LabCommandOutput RunLabCommand(const LabCommand& command, const std::string& settings_path);

}  // namespace vantrope
