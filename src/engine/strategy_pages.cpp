#include "engine/strategy_pages.h"

namespace vantrope {

void StrategyPages::cbBot0ReBetClick() {
  const bool count_matters = !cbBot0ReBet.Checked();
  speBot0BetCount.SetVisible(count_matters);
  lbBot0BetCount.SetVisible(count_matters);
}

}  // namespace vantrope
