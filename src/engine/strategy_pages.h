// The strategy panel: its page control with one page of editors per
// money-management strategy.
#pragma once

#include <cstdint>

#include "strategy/strategy.h"
#include "ui/controls.h"

namespace vantrope {

struct StrategyPages {
  static constexpr int kStrategyCount = 7;

  // Holds the page control; disabled while the robot runs.
  ui::Panel pnDown;
  ui::PageControl pcStrategy{kStrategyCount};
  // page 0: simple bet
  ui::Label lbBot0BetSize, lbBot0BetCount;
  ui::NumberEdit neBot0BetSize;
  ui::CheckBox cbBot0ReBet;
  ui::SpinEdit speBot0BetCount;
  // page 1: martingale
  ui::Label lbBot1MinDeposit, lbBot1ChainCount, lbBot1BetCount, lbBot1BetSize;
  ui::NumberEdit neBot1MinDeposit, neBot1BetSize;
  ui::SpinEdit speBot1ChainCount, speBot1BetCount;
  // page 2: cautious martingale
  ui::Label lbBot2MinDeposit, lbBot2BetCount, lbBot2ChainCount, lbBot2BetSize;
  ui::NumberEdit neBot2MinDeposit, neBot2BetSize;
  ui::SpinEdit speBot2BetCount, speBot2ChainCount;
  // page 3: adaptive martingale
  ui::Label lbBot3MinDeposit, lbBot3ChainCount, lbBot3BetSize;
  ui::NumberEdit neBot3MinDeposit, neBot3BetSize;
  ui::SpinEdit speBot3ChainCount;
  // page 4: Monte-Carlo
  ui::Label lbBot4MinDeposit, lbBot4ChainCount, lbBot4BetCount, lbBot4BetSize;
  ui::NumberEdit neBot4MinDeposit, neBot4BetSize;
  ui::SpinEdit speBot4ChainCount, speBot4BetCount;
  // page 5: balanced
  ui::Label lbBot5BetSize, lbBot5BetCount, lbBot5WinLimit, lbBot5Porog, lbBot5LoseLimit;
  ui::NumberEdit neBot5BetSize, neBot5WinLimit, neBot5Porog, neBot5LoseLimit;
  ui::SpinEdit speBot5BetCount;
  ui::CheckBox cbBot5ChangeDirection;

  // The active strategy page.
  TStrategy StrategyIndex() const { return static_cast<TStrategy>(pcStrategy.ActivePageIndex()); }

  // "Go on until the first loss": the bet count matters only while it is off.
  void cbBot0ReBetClick();
};

}  // namespace vantrope
