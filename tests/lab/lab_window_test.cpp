// The lab's window: opened on what the main window shows, each chosen
// strategy a column of the shared inputs, and a computation that gives
// nothing keeping the last one's columns.
#include "lab/lab_window.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/ini_file.h"
#include "support/form_fixture.h"

namespace vantrope {
namespace {

class LabWindowTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(VANTROPE_SHIPPED_INI, dir.Path() / "Vantrope.ini");
    Start();
  }

  LabOutcome Run(LabWindow& lab) {
    const std::optional<LabJob> job = lab.Start();
    EXPECT_TRUE(job.has_value()) << lab.StatusText();
    return job ? RunLabJob(*job, lab.Progress()) : LabOutcome{};
  }
};

TEST_F(LabWindowTest, MenuOpensTheLabOnThePagesAndMoneyAsTheyAreNow) {
  EXPECT_EQ(form->event_log.miLab.Caption(), "Лаборатория стратегий");
  form->strategies.pcStrategy.SetActivePageIndex(stMartingale);
  form->strategies.neBot1BetSize.SetValue(5);
  form->account.neCurrentBalanse.SetValue(250);
  form->robot_controls.neMinBalans.SetValue(20);
  form->robot.GreedPorog = 1;
  form->event_log.miLab.onClick();

  LabWindow& lab = form->lab;
  EXPECT_TRUE(lab.Form.Visible());
  EXPECT_EQ(lab.Form.Caption(), "Лаборатория стратегий");
  EXPECT_TRUE(lab.Chosen(stMartingale));
  EXPECT_FALSE(lab.Chosen(stSimpleBet));
  EXPECT_EQ(lab.Offered().Strategy(stBalanced)->name, "Сбалансированная") << "its page is hidden, and unnamed";
  lab.SetChosen(stSimpleBet, true);
  lab.SetValue(LabField::kWinRate, 45);
  lab.SetValue(LabField::kRuns, 50);
  lab.SetValue(LabField::kBets, 20);
  const std::optional<LabJob> job = lab.Start();
  ASSERT_TRUE(job.has_value());
  EXPECT_EQ(job->Runs(), 100);
  ASSERT_EQ(job->columns.size(), 2u);
  // In the pages' order, each with its own strategy and settings over the shared inputs.
  const LabColumn& simple = job->columns[0];
  const LabColumn& martingale = job->columns[1];
  EXPECT_EQ(simple.inputs.strategy, stSimpleBet);
  EXPECT_EQ(martingale.inputs.strategy, stMartingale);
  EXPECT_EQ(martingale.name, "Мартингейл");
  EXPECT_DOUBLE_EQ(martingale.inputs.params.BetSize, 5);
  EXPECT_EQ(martingale.inputs.params.BetCount, 5);
  for (const LabColumn& column : job->columns) {
    EXPECT_DOUBLE_EQ(column.inputs.balance, 250);
    EXPECT_DOUBLE_EQ(column.inputs.min_balance, 20);
    EXPECT_EQ(column.inputs.advance_threshold, 75);
    EXPECT_DOUBLE_EQ(column.inputs.win_rate, 0.45);
  }
  EXPECT_TRUE(lab.Computing());
  EXPECT_FALSE(lab.Start().has_value()) << "one computation at a time";

  lab.Show(RunLabJob(*job, lab.Progress()));
  EXPECT_FALSE(lab.Computing());
  EXPECT_EQ(lab.Progress().runs_done, 100);
  ASSERT_EQ(lab.Columns().size(), 2u);
  ASSERT_EQ(lab.Charts().size(), 2u);
  // Both histograms over one range, so that their bars stand side by side.
  EXPECT_EQ(lab.Charts()[0].histogram.from, lab.Charts()[1].histogram.from);
  EXPECT_EQ(lab.Charts()[0].histogram.width, lab.Charts()[1].histogram.width);
  EXPECT_EQ(lab.Charts()[1].bands.back().bet, 20);
  EXPECT_EQ(lab.StatusText().rfind("Баланс 250.00, ", 0), 0u) << lab.StatusText();

  // An account that shows no balance yet.
  form->account.neCurrentBalanse.SetValue(0);
  form->miLabClick();
  EXPECT_DOUBLE_EQ(lab.Inputs().balance, 1000);
  EXPECT_TRUE(lab.Chosen(stMartingale));
  EXPECT_FALSE(lab.Chosen(stSimpleBet)) << "opened again on the page shown";
  EXPECT_DOUBLE_EQ(lab.Inputs().win_rate, 0.45) << "the user's inputs stay";
}

TEST_F(LabWindowTest, WhatGivesNoFiguresSaysWhyAndKeepsTheLastOnes) {
  LabWindow& lab = form->lab;
  form->miLabClick();
  lab.SetValue(LabField::kRuns, 20);
  lab.SetValue(LabField::kBets, 10);
  lab.Show(Run(lab));
  ASSERT_EQ(lab.Columns().size(), 1u);
  const std::string shown = lab.StatusText();

  lab.SetValue(LabField::kMinBalance, lab.Inputs().balance);
  EXPECT_FALSE(lab.Start().has_value());
  EXPECT_EQ(lab.StatusText(), "Начальный баланс должен быть больше минимального");
  lab.SetValue(LabField::kMinBalance, 0);

  lab.SetReplay(true);
  EXPECT_FALSE(lab.Editable(LabField::kRuns)) << "a replay is one run of the history's bets";
  lab.SetReplayFile("missing.dat");
  lab.Show(Run(lab));
  EXPECT_EQ(lab.StatusText(), "Файл истории missing.dat не открывается");
  EXPECT_EQ(lab.Columns().size(), 1u);

  lab.SetReplay(false);
  std::optional<LabJob> job = lab.Start();
  ASSERT_TRUE(job.has_value());
  lab.Cancel();
  lab.Show(RunLabJob(*job, lab.Progress()));
  EXPECT_EQ(lab.StatusText(), "Расчёт отменён");
  EXPECT_EQ(lab.Columns().size(), 1u);

  // Three bets of the history, replayed once.
  std::string bytes;
  for (int i = 0; i < 3; ++i) {
    THistoryRecord bet;
    bet.Time = 46000 + i;
    bet.Direction = drUp;
    bet.Result = i == 1 ? 1 : 2;
    const auto encoded = EncodeHistoryRecord(bet);
    bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
  }
  dir.WriteFile("history.dat", bytes);
  lab.SetReplay(true);
  lab.SetReplayFile(kHistoryFileName);
  lab.Show(Run(lab));
  ASSERT_EQ(lab.Columns().size(), 1u);
  EXPECT_EQ(lab.Columns()[0].figures.runs, 1);
  EXPECT_EQ(lab.Columns()[0].result.runs[0].bets, 3);
  EXPECT_EQ(lab.Charts()[0].bands.back().bet, 3);
  EXPECT_NE(lab.StatusText(), shown);
  EXPECT_NE(lab.StatusText().find("ставки истории (history.dat)"), std::string::npos) << lab.StatusText();
}

}  // namespace
}  // namespace vantrope
