// What a strategy keeps between its steps: the pause the user asked for, its
// sub-step and chain, and the bet it asks for. The robot's state holds it
// under these names; a strategy run outside the robot holds one of its own.
#pragma once

#include <cstdint>
#include <string>

#include "event/robot_event.h"

namespace vantrope {

// RobotPauseMode.
enum TPauseMode : uint8_t {
  pmNone = 0,
  pmAfterResult = 1,  // a pause after the bet's result is requested
  pmAfterWin = 2,     // a pause after a won bet is requested
  pmContinue = 254,   // the user asked to go on after a pause
  pmPaused = 255,
};

struct StrategyState {
  // --- the pause ---
  TPauseMode RobotPauseMode = pmNone;
  uint16_t RobotPauseType = 100;  // with the strategy in the hundreds as the settings keep it

  // --- the strategy's chain ---
  uint8_t RobotSubStatus = 0;
  uint16_t BetCount = 0;
  uint16_t GameCount = 0;
  int32_t ChainStake = 0;
  TDirection ChainDirection = drNone;
  std::string ChainValute;
  uint16_t ChainPeriod = 0;
  std::string ChainPeriodUnit;
  // Copies for resuming a chain, kept in the settings file.
  int32_t SavedStake = 3;
  uint16_t SavedBetCount = 0;
  uint16_t SavedGameCount = 0;
  double BalancedTarget = 0;

  // When the arrow of the signal a strategy last took was first seen (on
  // the monotonic clock, as all the times the robot measures ages by), and
  // whether no bet was asked for since.
  int64_t TakenSignalTime = 0;
  bool SignalTakenForBet = false;

  // --- the bet request ---
  // When the signal the bet answers was first seen; 0 for a bet a chain owes.
  int64_t BetSignalTime = 0;
  std::string BetValute;
  std::string BetPeriodUnit;
  uint16_t BetPeriod = 0;
  int32_t BetStake = 3;
  TDirection BetDirection = drNone;
};

}  // namespace vantrope
