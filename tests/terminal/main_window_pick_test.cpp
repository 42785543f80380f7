// The terminal's main window among the windows of its class.
#include <gtest/gtest.h>

#include <algorithm>

#include "terminal/main_window_pick.h"

namespace vantrope {
namespace {

using enum WindowRole;
using enum WindowShowState;

const std::string kChart = "1000200: Demo - [EURUSD,M15]";

// Takes the pick away each time: the windows in the order the rule ranks them.
std::vector<WindowHandle> PickedInTurn(std::vector<TopLevelWindow> windows) {
  std::vector<WindowHandle> picked;
  while (const WindowHandle handle = PickMainWindow(windows)) {
    picked.push_back(handle);
    std::erase_if(windows, [&](const TopLevelWindow& w) { return w.handle == handle; });
  }
  return picked;
}

TEST(MainWindowPick, RanksByOwnerRoleSizeCaptionStateAreaAndThenStacking) {
  const std::vector<TopLevelWindow> windows = {
      {1, kChart, 1000, 800, false, kPopup, kShown},    // a menu: never
      {2, kChart, 1000, 800, false, kNormal, kHidden},  // withdrawn: never
      {3, kChart, 800, 600, true, kNormal, kShown},     // an undocked chart, owned by the terminal
      {4, "Alert", 800, 600, false, kDialog, kShown},   // a message box without an owner
      {5, kChart, 1, 1, false, kNormal, kShown},        // a helper of one pixel
      {6, "Terminal", 900, 700, false, kNormal, kShown},
      {7, kChart, 800, 600, false, kNormal, kMinimised},
      {8, kChart, 1000, 700, false, kNormal, kMinimised},
      {9, kChart, 800, 600, false, kNormal, kMinimised},
      {10, kChart, 800, 600, false, kNormal, kShown},
  };
  EXPECT_EQ(PickedInTurn(windows), (std::vector<WindowHandle>{10, 8, 7, 9, 6, 5, 4, 3}));
  EXPECT_EQ(PickMainWindow({}), 0u);
}

}  // namespace
}  // namespace vantrope
