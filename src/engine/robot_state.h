// The robot's state between two timer ticks: the bet cycle's step, the
// strategy's chain, the bet request, run control's pause state and the money
// of the current bet.
#pragma once

#include <cstdint>
#include <string>

namespace vantrope {

struct RobotState {
  // Between Run and Stop.
  bool Running = false;

  // --- run control ---
  uint16_t RobotStatus = 0;
  uint8_t RobotSubStatus = 0;
  uint8_t RobotPauseMode = 0;
  uint16_t RobotPauseType = 100;  // with the strategy in the hundreds as the settings keep it
  uint8_t LastStrategyIndex = 0;
  // Re-entry guard of the strategy step.
  bool RobotBusy = false;

  // --- the strategy's chain ---
  uint16_t BetCount = 0;
  uint16_t GameCount = 0;
  int32_t ChainStake = 0;
  uint8_t ChainDirection = 0;
  std::string ChainValute;
  uint16_t ChainPeriod = 0;
  std::string ChainPeriodUnit;
  // Copies for resuming a chain, kept in the settings file.
  int32_t SavedStake = 3;
  uint16_t SavedBetCount = 0;
  uint16_t SavedGameCount = 0;
  double BalancedTarget = 0;

  // --- the bet request ---
  std::string BetValute;
  std::string BetPeriodUnit;
  uint16_t BetPeriod = 0;
  int32_t BetStake = 3;
  uint8_t BetDirection = 0;

  // --- the bet cycle ---
  uint16_t BetOnStatus = 65535;
  // Index into the advance thresholds.
  uint8_t GreedPorog = 0;
  uint8_t BetPricePercent = 0;
  double StartBalance = 0;
  double BalanceAtBet = 0;
  double BalanceAtResult = 0;
  double BetPlacedTime = 0;
  double ResultWaitCounter = 0;
};

}  // namespace vantrope
