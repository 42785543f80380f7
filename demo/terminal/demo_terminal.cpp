#include "demo_terminal.h"

#include <algorithm>

#include "caption.h"
#include "command.h"

namespace vantrope::demo::terminal {

namespace {

// The directions stream starts apart from the prices', so one seed gives
// unrelated candles and arrows.
constexpr uint32_t kDirectionStream = 0x9E3779B9u;

}  // namespace

DemoTerminal::DemoTerminal(const TerminalOptions& options, TerminalClock& clock)
    : clock_(clock),
      chart_(options.seed),
      pair_(options.pair),
      timeframe_(options.timeframe),
      time_scale_(options.time_scale),
      signal_interval_ms_(options.signal_seconds > 0 ? Scaled(options.signal_seconds) : 0),
      directions_(options.seed ^ kDirectionStream),
      width_(options.geometry.width),
      height_(options.geometry.height) {
  const int64_t now = clock_.NowMs();
  next_bar_ms_ = now + Scaled(timeframe_.seconds);
  next_signal_ms_ = now + signal_interval_ms_;
}

int64_t DemoTerminal::Scaled(int64_t seconds) const { return std::max<int64_t>(1, seconds * 1000 / time_scale_); }

bool DemoTerminal::CatchUp() {
  const int64_t now = clock_.NowMs();
  bool changed = false;
  for (;;) {
    const bool signal_due = signal_interval_ms_ > 0 && next_signal_ms_ <= now;
    const bool bar_due = next_bar_ms_ <= now;
    // A bar and an arrow due together: the bar first, so the arrow lands on it.
    if (bar_due && (!signal_due || next_bar_ms_ <= next_signal_ms_)) {
      chart_.AddBar();
      next_bar_ms_ += Scaled(timeframe_.seconds);
    } else if (signal_due) {
      chart_.MarkNewest((directions_() & 1u) != 0 ? ArrowDirection::kUp : ArrowDirection::kDown);
      next_signal_ms_ += signal_interval_ms_;
    } else {
      return changed;
    }
    changed = true;
  }
}

int64_t DemoTerminal::MsUntilNextEvent() {
  int64_t next = next_bar_ms_;
  if (signal_interval_ms_ > 0) next = std::min(next, next_signal_ms_);
  return std::max<int64_t>(0, next - clock_.NowMs());
}

DemoTerminal::LineResult DemoTerminal::HandleLine(std::string_view line) {
  if (line.find_first_not_of(" \t\r") == std::string_view::npos) return {};
  const auto command = ParseCommand(line);
  if (!command) return {"error " + std::string(line), false, false, std::nullopt};
  LineResult result{"ok " + CommandText(*command), true, false, std::nullopt};
  switch (command->kind) {
    case Command::Kind::kUp:
    case Command::Kind::kDown: {
      const ArrowDirection direction =
          command->kind == Command::Kind::kUp ? ArrowDirection::kUp : ArrowDirection::kDown;
      chart_.MarkNewest(direction);
      const Point at = ArrowTopLeft(chart_.Newest(), 0, direction, width_, height_);
      result.reply += " " + std::to_string(at.x) + " " + std::to_string(at.y);
      break;
    }
    case Command::Kind::kPair:
      pair_ = command->argument;
      chart_.ClearArrows();
      break;
    case Command::Kind::kTimeframe:
      // The new timeframe's first bar lasts a whole new period.
      timeframe_ = *FindTimeframe(command->argument);
      next_bar_ms_ = clock_.NowMs() + Scaled(timeframe_.seconds);
      break;
    case Command::Kind::kClear:
      chart_.ClearArrows();
      break;
    case Command::Kind::kAlert:
    case Command::Kind::kDismiss:
      result.changed = false;
      result.alert = command->kind == Command::Kind::kAlert;
      break;
    case Command::Kind::kQuit:
      result.changed = false;
      result.quit = true;
      break;
  }
  return result;
}

bool DemoTerminal::Resize(int width, int height) {
  // A window below the smallest layout keeps the smallest picture, clipped.
  width = std::max(width, kMinPictureWidth);
  height = std::max(height, kMinPictureHeight);
  if (width == width_ && height == height_) return false;
  width_ = width;
  height_ = height;
  return true;
}

PixelBuffer DemoTerminal::Render() const { return RenderChart(chart_, width_, height_); }

std::string DemoTerminal::Caption() const { return TerminalCaption(pair_, timeframe_.name); }

}  // namespace vantrope::demo::terminal
