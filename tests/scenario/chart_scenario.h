// The scenarios with the trading terminal on the desktop: one chart window,
// GBPUSD on five minutes, whose arrows the robot watches and bets on.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "scenario/bet_scenario.h"
#include "terminal/arrow_drawing.h"

namespace vantrope::testing {

class ChartScenario : public BetScenario {
 protected:
  explicit ChartScenario(std::string script, std::vector<RobotWorld::Setting> settings = {})
      : BetScenario(Options(std::move(script)), WithSeeking(std::move(settings))) {
    FakeWindowSystem::Terminal terminal;
    terminal.caption = "1000200: Demo-Server - Demo Account - [GBPUSD,M5]";
    terminal.rect = {0, 0, 800, 600};
    terminal.picture.Resize(800, 600);
    world.windows.terminals.push_back(terminal);
  }
  FakeWindowSystem::Terminal& Terminal() { return world.windows.terminals[0]; }
  // An arrow on the chart, in the strip along the window's right edge.
  void DrawArrowAt(int strip_x, int y, bool up) {
    DrawArrow(Terminal().picture, 800 - 128 + strip_x, y, up, up ? kGreen : kRed);
  }
  int Purchases() { return world.Site().PurchasesAsked(); }
  // The robot started on the demo account and on the ready trading form.
  bool StartTrading() {
    world.Wait(2000);
    Start("CR100200", "demo200");
    return ReachReadyForm();
  }
  // This many bets have their result, within 10 minutes.
  bool Finished(int bets) {
    return RunUntil([&] { return RowsOfType(ltWin) + RowsOfType(ltLost) == bets; }, 600'000);
  }
  void Idle(int64_t ms) {
    RunUntil([] { return false; }, ms);
  }

 private:
  static std::vector<RobotWorld::Setting> WithSeeking(std::vector<RobotWorld::Setting> settings) {
    settings.push_back({"Alpari", "AlpariSeek", "1"});
    return settings;
  }
};

}  // namespace vantrope::testing
