// The strategy lab against figures known in closed form, and a replay worked
// out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "lab/lab_figures.h"
#include "lab/lab_history.h"
#include "lab/lab_settings_file.h"
#include "lab/strategy_lab.h"
#include "settings/ini_file.h"

namespace vantrope {
namespace {

LabInputs Inputs(uint8_t strategy, double stake, int length, int chains) {
  LabInputs inputs;
  inputs.strategy = strategy;
  inputs.params.BetSize = stake;
  inputs.params.BetCount = length;
  inputs.params.ChainCount = chains;
  return inputs;
}

TEST(StrategyLabTest, SimpleBetEarnsItsExpectationPerBetAndNothingAboveTheAdvanceThreshold) {
  LabInputs inputs = Inputs(stSimpleBet, 3, 2, 0);
  inputs.win_rate = 0.55;
  inputs.payout = 80;
  inputs.bets = 100;
  inputs.runs = 20000;
  const LabResult result = RunMonteCarlo(inputs);
  const LabFigures figures = Summarise(inputs, result);
  // Every bet stakes 3 at a price of 3 / 1.8: it gains 3 - price or loses the price.
  const double price = 3 / 1.8;
  const double expected = 0.55 * (3 - price) - 0.45 * price;
  EXPECT_NEAR(figures.expected_per_bet, expected, 0.005);
  EXPECT_NEAR(figures.win_share, 0.55, 0.005);
  EXPECT_EQ(figures.largest_stake, 3);
  EXPECT_DOUBLE_EQ(figures.end_chance[static_cast<size_t>(LabEnd::kAllBets)], 1);
  EXPECT_DOUBLE_EQ(figures.mean_bets, 100);

  // At a payout of 25 % the price is 80 % of the stake: above a threshold of 75 %.
  inputs.payout = 25;
  inputs.advance_threshold = 75;
  inputs.runs = 10;
  const LabFigures refused = Summarise(inputs, RunMonteCarlo(inputs));
  EXPECT_DOUBLE_EQ(refused.end_chance[static_cast<size_t>(LabEnd::kNoBets)], 1);
  EXPECT_DOUBLE_EQ(refused.mean_bets, 0);
}

TEST(StrategyLabTest, AMartingaleRunsOutOfBalanceExactlyWhenItsChainLosesItsFirstFourBets) {
  // Stakes 3, 7, 16, 37, 86 at half their value: after four losses (31.5)
  // the fifth stake no longer fits above the minimum balance of 0 with 90.
  // A chain that wins gains more than it lost, so no other run can fail.
  LabInputs inputs = Inputs(stMartingale, 3, 5, 1);
  inputs.payout = 100;
  inputs.balance = 90;
  inputs.bets = 5;
  inputs.runs = 40000;
  const LabResult result = RunMonteCarlo(inputs);
  const LabFigures figures = Summarise(inputs, result);
  EXPECT_NEAR(figures.ruin_chance, std::pow(0.5, 4), 0.006);
  EXPECT_DOUBLE_EQ(figures.ruin_chance, figures.end_chance[static_cast<size_t>(LabEnd::kStakeBeyondBalance)]);
  EXPECT_DOUBLE_EQ(figures.ruin_chance + figures.end_chance[static_cast<size_t>(LabEnd::kAllBets)], 1);
  for (const LabRun& run : result.runs)
    if (run.end == LabEnd::kStakeBeyondBalance) {
      ASSERT_EQ(run.bets, 4);
      ASSERT_EQ(run.largest_stake, 37);
      ASSERT_DOUBLE_EQ(run.final_balance, 90 - 31.5);
    }
  EXPECT_EQ(figures.longest_losing_streak, 4);
}

TEST(StrategyLabTest, TheBalancedStrategyEndsARunAtTheLimitItStoppedAt) {
  LabInputs inputs = Inputs(stBalanced, 3, 20, 0);
  inputs.params.LoseLimit = 6;
  inputs.params.WinLimit = 6;
  inputs.params.Porog = 500;  // left on the page by an earlier run: Start clears it
  inputs.payout = 100;
  inputs.runs = 3;
  inputs.win_rate = 0;
  LabResult lost = RunMonteCarlo(inputs);
  // At 1000, 998.5 and 997 a stake of 3 leaves the threshold of 994; at 995.5 it would not.
  EXPECT_EQ(lost.runs[0].end, LabEnd::kLossLimit);
  EXPECT_EQ(lost.runs[0].bets, 3);
  inputs.win_rate = 1;
  EXPECT_EQ(RunMonteCarlo(inputs).runs[0].end, LabEnd::kWinLimit);
}

TEST(StrategyLabTest, AReplayBetsTheHistorysSignalsWithTheStrategysOwnStakesAndDirections) {
  // Recorded in this order; one record of no known result is left out.
  auto record = [](double time, int32_t direction, uint8_t result) {
    THistoryRecord r;
    r.Time = time;
    r.Direction = direction;
    r.Result = result;
    return r;
  };
  std::vector<THistoryRecord> records = {record(5, drUp, 2), record(1, drUp, 2), record(2, drDown, 1),
                                         record(3, drUp, 1), record(3.5, drUp, 0), record(4, drDown, 2)};
  // The third bet was bought at 8 for a stake of 10 and paid 10.
  records[3].Stake = 10;
  records[3].BalanceAtBet = 500;
  records[3].BalanceAtResult = 502;
  const std::vector<HistoryOutcome> history = HistoryOutcomes(records);
  ASSERT_EQ(history.size(), 5u);

  LabInputs inputs = Inputs(stMartingale, 3, 3, 1);
  inputs.payout = 100;  // the other bets at half the stake
  inputs.balance = 100;
  const LabResult result = ReplayHistory(inputs, history);
  const LabRun& run = result.runs[0];
  // Up 3 lost (98.5); the chain stays up: 7 against a won down, lost (95);
  // up 16 at 0.8, won (98.2); a new chain on the down signal: 3 lost
  // (96.7); down 7 against a lost up, won (100.2).
  EXPECT_EQ(run.bets, 5);
  EXPECT_EQ(run.won, 2);
  EXPECT_NEAR(run.final_balance, 100.2, 1e-9);
  EXPECT_EQ(run.largest_stake, 16);
  EXPECT_EQ(run.longest_losing_streak, 2);
  EXPECT_NEAR(run.max_drawdown, 5, 1e-9);
  EXPECT_EQ(run.end, LabEnd::kAllBets);
  EXPECT_FLOAT_EQ(result.paths.back(), 100.2f);
}

TEST(StrategyLabTest, SettingsComeFromTheFileAsTheWindowWouldShowThem) {
  IniFile ini(VANTROPE_SHIPPED_INI);
  LabSettings settings = ReadLabSettings(ini);
  const LabStrategyChoice* martingale = settings.Strategy(stMartingale);
  ASSERT_NE(martingale, nullptr);
  EXPECT_EQ(martingale->name, "Мартингейл");
  EXPECT_EQ(martingale->params.BetCount, 5);
  EXPECT_EQ(martingale->params.ChainCount, 2);
  EXPECT_DOUBLE_EQ(martingale->params.BetSize, 3);
  EXPECT_EQ(settings.advance_threshold, 100);

  ini.WriteInteger("Robot1", "BetCount", 500);  // the chain's editor stops at 99
  ini.WriteInteger("Binary", "GreedPorog", 1);
  ini.WriteInteger("Robot3", "Down", 1);
  settings = ReadLabSettings(ini);
  EXPECT_EQ(settings.Strategy(stMartingale)->params.BetCount, 99);
  EXPECT_EQ(settings.advance_threshold, 75);
  EXPECT_EQ(settings.shown, stAdaptiveMartingale);
}

}  // namespace
}  // namespace vantrope
