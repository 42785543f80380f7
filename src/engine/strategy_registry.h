// One row per strategy: its page, the status it runs under, its settings
// section, its parameters, the parameters its history records keep, and
// how it is made. The settings store, the history record, run control, the
// strategy step and the strategy pages all read it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "engine/robot_state.h"
#include "strategy/strategy.h"
#include "engine/strategy_pages.h"

namespace vantrope {

// An editor of a strategy page: as the settings file keeps it, and as the
// strategy's parameters take it.
struct StrategyKey {
  using Control =
      std::variant<ui::NumberEdit StrategyPages::*, ui::SpinEdit StrategyPages::*, ui::CheckBox StrategyPages::*>;
  using Param = std::variant<double StrategyParams::*, int StrategyParams::*, bool StrategyParams::*>;
  const char* key;
  Control control;
  Param param;
  int32_t default_value;
};

struct StrategyRow {
  TStrategy page;
  TRobotStatus status;
  // The section's default page name, and whether its page is shown when
  // the settings file names none.
  const char* name;
  bool shown_by_default;
  // In the settings file's order.
  std::vector<StrategyKey> keys;
  // An editor the strategy writes (the balanced strategy's threshold), and
  // the parameter it is.
  ui::NumberEdit StrategyPages::* written = nullptr;
  double StrategyParams::* written_param = nullptr;
  std::array<int32_t, 8> (*history)(const StrategyParams&);
  std::unique_ptr<Strategy> (*make)(const StrategyContext&, const StrategyParams&);
  // The sub-steps in which the strategy follows its bet, from the request to
  // the outcome: a strategy with these keeps its chain in the journal.
  struct FollowSteps {
    uint8_t first, last;
  };
  std::optional<FollowSteps> follow;
  // Counts its chain's bets in GameCount, and opens a new chain at sub-step 0.
  bool chain_in_games = false;
};

const std::vector<StrategyRow>& StrategyRows();
const StrategyRow* StrategyOfPage(uint8_t page);
const StrategyRow* StrategyOfStatus(TRobotStatus status);
// The parameters on the strategy's page.
StrategyParams PageParams(const StrategyRow& row, const StrategyPages& pages);
// The active strategy's parameters as the history record keeps them.
std::array<int32_t, 8> HistoryParams(const StrategyPages& pages);

}  // namespace vantrope
