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

#include "desktop/dialogs.h"
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

// An editor of a strategy page as the window lays it out and labels it.
struct StrategyField {
  enum class Kind : uint8_t {
    kStake,      // money the user sets, to one decimal
    kLimit,      // a money limit the user sets
    kThreshold,  // money the strategy writes; read-only
    kDeposit,    // the deposit a chain needs, worked out; read-only
    kCount,      // a whole number from 1 to `max_count`
    kCheck,      // a check box, which carries its own caption
  };
  Kind kind;
  StrategyKey::Control control;
  ui::Label StrategyPages::* label;  // none for a check box
  // The language pack's texts of the caption and the hint.
  int caption;
  int hint;
  int max_count = 0;
  // Shares its line with the next field.
  bool beside_next = false;
};

struct StrategyRow {
  TStrategy page;
  TRobotStatus status;
  // The section's default page name, and whether its page is shown when
  // the settings file names none.
  const char* name;
  bool shown_by_default = false;
  // In the settings file's order.
  std::vector<StrategyKey> keys;
  // The page's editors, top to bottom.
  std::vector<StrategyField> fields;
  // A chain strategy's page shows the deposit its chain needs, from the
  // first stake and the chain's length.
  struct Deposit {
    ui::NumberEdit StrategyPages::* stake;
    ui::SpinEdit StrategyPages::* length;
    ui::NumberEdit StrategyPages::* deposit;
  };
  std::optional<Deposit> deposit = std::nullopt;
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
  std::optional<FollowSteps> follow = std::nullopt;
  // Counts its chain's bets in GameCount, and opens a new chain at sub-step 0.
  bool chain_in_games = false;
  // The notice run control shows when it pauses or stops the strategy at a
  // limit: its title, a text of the language pack, and its kind.
  struct Notice {
    int title;
    DialogKind kind;
  };
  Notice limit_notice = {.title = 187, .kind = DialogKind::Information};
};

const std::vector<StrategyRow>& StrategyRows();
const StrategyRow* StrategyOfPage(uint8_t page);
const StrategyRow* StrategyOfStatus(TRobotStatus status);
// The parameters on the strategy's page.
StrategyParams PageParams(const StrategyRow& row, const StrategyPages& pages);
// The active strategy's parameters as the history record keeps them.
std::array<int32_t, 8> HistoryParams(const StrategyPages& pages);
// The deposit the page's chain needs, shown on the page.
void ShowNeededDeposit(const StrategyRow& row, StrategyPages& pages);
// The values a stake, limit or count editor takes; none for the other kinds.
struct FieldRange {
  double low, high;
};
std::optional<FieldRange> FieldLimits(const StrategyField& field);
// A field's editor, whatever its kind.
ui::Control& FieldControl(const StrategyField& field, StrategyPages& pages);

}  // namespace vantrope
