#include "terminal/main_window_pick.h"

#include <tuple>

#include "terminal/caption_grammar.h"

namespace vantrope {

namespace {

// Below this a window cannot show the strip the robot searches: the helper
// windows of one pixel that some programs keep.
constexpr int32_t kMinChartWidth = 128;
constexpr int32_t kMinChartHeight = 100;

bool NamesAChart(const std::string& caption) {
  const TerminalCaption parsed = ParseTerminalCaption(caption);
  return !parsed.pair_run.empty() && parsed.timeframe.has_value();
}

auto Weight(const TopLevelWindow& window) {
  return std::tuple(!window.owned, window.role == WindowRole::kNormal,
                    window.width >= kMinChartWidth && window.height >= kMinChartHeight, NamesAChart(window.caption),
                    window.show_state == WindowShowState::kShown, static_cast<int64_t>(window.width) * window.height);
}

}  // namespace

WindowHandle PickMainWindow(const std::vector<TopLevelWindow>& windows) {
  const TopLevelWindow* best = nullptr;
  for (const TopLevelWindow& window : windows) {
    if (window.role == WindowRole::kPopup || window.show_state == WindowShowState::kHidden) continue;
    if (best == nullptr || Weight(window) > Weight(*best)) best = &window;
  }
  return best != nullptr ? best->handle : 0;
}

}  // namespace vantrope
