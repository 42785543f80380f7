// The lab's inputs as the settings file of the data folder sets them, or as
// the main window shows them: the strategy shown on the pages, every
// strategy's name and settings, run control's minimum balance and the
// advance threshold.
#pragma once

#include <string>
#include <vector>

#include "lab/lab_inputs.h"

namespace vantrope {

class IniFile;
struct StrategyPages;

struct LabStrategyChoice {
  uint8_t page;
  std::string name;
  StrategyParams params;
};

struct LabSettings {
  std::vector<LabStrategyChoice> strategies;  // every strategy with a row, by page
  uint8_t shown = stSimpleBet;                // the page shown at start-up
  double min_balance = 0;
  int32_t advance_threshold = 100;

  const LabStrategyChoice* Strategy(uint8_t page) const;
};

// Each value read as the window would read it, an editor's limits applied.
LabSettings ReadLabSettings(const IniFile& ini);
// The pages' names and values as they are now.
LabSettings PagesLabSettings(const StrategyPages& pages, double min_balance, int32_t advance_threshold);

}  // namespace vantrope
