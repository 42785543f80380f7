// The intervals and the language pack's texts of the bet cycle.
#pragma once

#include "event/robot_event.h"

namespace vantrope::bet_cycle {

// Milliseconds to the next tick.
constexpr int kAtOnce = 20;          // the next step, or a wake for a signal or prices
constexpr int kSoon = 100;           // prices asked for again after the site refused a stale one
constexpr int kQuickLook = 1000;     // a control that failed, a page read again, a signal dropped
constexpr int kRetry = 2000;         // the cycle's own pace; a step tried again
constexpr int kAcceptedLook = 3000;  // the portfolio of a bet the site accepted already
constexpr int kFormLoad = 4000;      // the trading page after a result
constexpr int kPageLoad = 5000;      // the main page, the portfolio, a price not taken
constexpr int kSlowPageLoad = 6000;  // the trading page after a login, a language switch, a bet given up
constexpr int kLoginAnswer = 8000;
constexpr int kFormPace = 10000;  // the ready form refilled; the prices asked for
constexpr int kMinute = 60000;    // a site that sends elsewhere or has a bet open; a bet of minutes

// The language pack's texts the cycle writes.
enum Text : int {
  txBought = 90,
  txFault = 141,
  txLoggedIn = 145,
  txOtherAccount = 146,
  txNoAccessToControl = 147,
  txLoginRefused = 148,
  txSiteError = 149,
  txPriceRequest = 150,
  txUp = 151,
  txDown = 152,
  txBetUpOn = 153,
  txBetDownOn = 154,
  txBetOn = 155,
  txForPeriod = 156,
  txNoBet = 159,
  txAdvance = 160,
  txAdvanceTooHigh = 161,
  txBoughtUp = 162,
  txPercent = 163,
  txBoughtDown = 164,
  txBetCancelled = 166,
  txWonUp = 171,
  txWonDown = 172,
  txWon = 173,
  txBetTimedOut = 174,
  txLostUp = 266,
  txLostDown = 267,
  txLost = 268,
  txPricesNotShown = 269,
  txBuyUnanswered = 283,
  txSessionEnded = 285,
  txPriceUnreadable = 286,
  txWaitingForOpenContract = 287,
  txForeignLoginPage = 292,
  txNoAnswerToTheLogin = 293,
  txSignalTooOld = 294,
  txLateAnswer = 295,
  txForeignContract = 296,
  txFormOutOfReach = 297,
  txResultOverdue = 298,
};

inline int ByDirection(TDirection direction, int up, int down, int other) {
  return direction == drUp ? up : direction == drDown ? down : other;
}

}  // namespace vantrope::bet_cycle
