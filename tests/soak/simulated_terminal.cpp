#include "soak/simulated_terminal.h"

#include <vector>

#include "terminal/arrow_drawing.h"

namespace vantrope::testing {

namespace {

constexpr int kWidth = 320;
// Where the newest bar's arrow stands in the strip of the chart's right
// edge, and how far a bar is from the next.
constexpr int kNewestBarX = kWidth - 128 + 90;
constexpr int kBarWidth = 8;
constexpr int kStripLeft = kWidth - 128;
// Tall enough not to be taken for a minimised window.
constexpr int kHeight = 120;
const std::vector<std::string> kPairs = {"EURUSD", "GBPUSD", "USDJPY", "AUDUSD", "USDCAD", "NZDUSD"};
const std::vector<std::string> kTimeframes = {"M1", "M5", "M15"};

}  // namespace

SimulatedTerminal::SimulatedTerminal(FakeWindowSystem& windows, std::mt19937& random)
    : windows_(windows), random_(random) {
  FakeWindowSystem::Terminal terminal;
  terminal.rect = {0, 0, kWidth, kHeight};
  terminal.picture = Filled(kWidth, kHeight, ui::Rgb(0, 0, 0));
  terminal.cover = Filled(kWidth, kHeight, ui::Rgb(255, 255, 255));
  windows_.terminals.push_back(terminal);
  ShowCaption();
}

void SimulatedTerminal::DrawArrow(bool up, int64_t now) {
  // The indicator keeps one arrow a bar: a new one on the newest bar
  // replaces the one there.
  if (!on_chart_.empty() && Bar(arrows_[on_chart_.back().arrow].drawn_ms) == Bar(now)) on_chart_.pop_back();
  const int y = std::uniform_int_distribution<int>(4, kHeight - 8 - 16)(random_);
  arrows_.push_back({now, up, "frx" + pair_, std::stoi(timeframe_.substr(1)), std::nullopt});
  on_chart_.push_back({arrows_.size() - 1, y});
  Scroll(now);
}

void SimulatedTerminal::Scroll(int64_t now) {
  Bitmap& picture = Window().picture;
  picture.Fill(ui::Rgb(0, 0, 0));
  std::vector<OnChart> kept;
  for (const OnChart& drawn : on_chart_) {
    const Arrow& arrow = arrows_[drawn.arrow];
    const int x = kNewestBarX - static_cast<int>(Bar(now) - Bar(arrow.drawn_ms)) * kBarWidth;
    if (x < kStripLeft) continue;
    kept.push_back(drawn);
    testing::DrawArrow(picture, x, drawn.y, arrow.up, arrow.up ? kGreen : kRed);
  }
  on_chart_ = kept;
}

bool SimulatedTerminal::InSight() const {
  return Window().exists && !Window().covered && Window().sight == FakeWindowSystem::Sight::kShown;
}

bool SimulatedTerminal::NoteSight(int64_t now) {
  if (arrows_.empty() || arrows_.back().seen_ms || !ArrowInSight()) return false;
  arrows_.back().seen_ms = now;
  return true;
}

SimulatedTerminal::ChartChange SimulatedTerminal::ChangeChart() {
  auto pick = [&](const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random_)];
  };
  const std::string pair = pick(kPairs), timeframe = pick(kTimeframes);
  const ChartChange change{pair != pair_, timeframe != timeframe_};
  pair_ = pair;
  timeframe_ = timeframe;
  // The other chart shows no arrow at its newest bars: one standing there
  // would be of an age the robot cannot know, and a window covering the
  // chart would hide from it that the arrow was there before the change.
  Window().picture.Fill(ui::Rgb(0, 0, 0));
  on_chart_.clear();
  ShowCaption();
  return change;
}

void SimulatedTerminal::ShowCaption() {
  Window().caption = "1000200: Demo-Server - Demo Account" +
                     (without_pair_ ? std::string() : " - [" + pair_ + "," + timeframe_ + "]");
}

}  // namespace vantrope::testing
