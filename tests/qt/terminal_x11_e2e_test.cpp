// The X11 window system against the demo terminal program, and against
// windows of the test's own where a window manager's doings are played,
// under the tests' virtual X server (no window manager runs there).
#include <gtest/gtest.h>
// After the test framework: Xlib defines None.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <thread>

#include "app/pixmap_reader.h"
#include "app/resources.h"
#include "demo_terminal_process.h"
#include "terminal/arrow_scanner.h"
#include "terminal/main_window_pick.h"
#include "terminal/x11/x11_window_system.h"

namespace vantrope::testing {
namespace {

constexpr int kAnswerTimeoutMs = DemoTerminal::kAnswerTimeoutMs;
constexpr int kStripWidth = 128;
const std::string kDefaultClass = "MetaQuotes::MetaTrader::4.00";
const ui::Color kGreen = ui::Rgb(0, 255, 0);
const ui::Color kYellow = ui::Rgb(255, 255, 0);
const ui::Color kWhite = ui::Rgb(255, 255, 255);

TArrowMatch FindUpArrow(const Bitmap& strip) {
  ArrowScanner scanner;
  scanner.BuildMask(strip, kGreen);
  // The program's own template, as the robot loads it.
  scanner.BuildTemplate(ReadPixmap(*FindResource("BITMAP", "UP")).value(), 10, 8, 8);
  return scanner.FindObject(10, 8);
}

// Polls what another X client does in its own time.
bool WaitFor(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kAnswerTimeoutMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// The test's own connection, for what a user or a window manager would do.
class X11WindowSystemEndToEnd : public ::testing::Test {
 protected:
  X11WindowSystemEndToEnd() : display(XOpenDisplay(nullptr)) {
    if (display == nullptr) throw std::runtime_error("no X server");
  }
  ~X11WindowSystemEndToEnd() override { XCloseDisplay(display); }

  Window Root() const { return DefaultRootWindow(display); }
  // A plain window of one colour, made and mapped now.
  Window MakeWindow(Window parent, int x, int y, int width, int height, ui::Color rgb = ui::Rgb(255, 255, 255)) {
    XSetWindowAttributes attributes{};
    attributes.background_pixel =
        ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);  // 24-bit true colour: 0xRRGGBB
    const Window window = XCreateWindow(display, parent, x, y, static_cast<unsigned>(width),
                                        static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                                        CopyFromParent, CWBackPixel, &attributes);
    XMapWindow(display, window);
    XSync(display, False);
    return window;
  }
  void SetClass(Window window, const char* name) {
    XClassHint hint{const_cast<char*>(name), const_cast<char*>(name)};
    XSetClassHint(display, window, &hint);
  }
  void SetWmState(Window window, long state) {
    const Atom wm_state = XInternAtom(display, "WM_STATE", False);
    const long value[2] = {state, 0};
    XChangeProperty(display, window, wm_state, wm_state, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(value), 2);
  }
  // The window the seeker takes for the terminal.
  WindowHandle MainWindowOfClass(const std::string& class_name) {
    return PickMainWindow(windows.TopLevelWindowsOfClass(class_name));
  }
  WindowRect RectOf(WindowHandle window) {
    WindowRect rect{-1, -1, -1, -1};
    EXPECT_TRUE(windows.GetWindowRect(window, rect));
    return rect;
  }
  // The terminal's right strip, as the seeker copies it.
  bool CopyStrip(WindowHandle window, Bitmap& strip) {
    const WindowRect rect = RectOf(window);
    strip.Resize(kStripWidth, rect.bottom - rect.top);
    return windows.CopyWindowPixels(window, rect.right - rect.left - kStripWidth, 0, strip);
  }

  Display* display;
  X11WindowSystem windows;
};

class TerminalX11EndToEnd : public X11WindowSystemEndToEnd {
 protected:
  DemoTerminal terminal{{"--geometry", "800x600+100+50"}};
};

TEST_F(TerminalX11EndToEnd, FindsTheTerminalByItsWindowClassOnly) {
  EXPECT_EQ(MainWindowOfClass(kDefaultClass), terminal.Handle());
  EXPECT_EQ(MainWindowOfClass("MetaQuotes::MetaTrader::4"), 0u);
  EXPECT_EQ(MainWindowOfClass(""), 0u);

  DemoTerminal wine_terminal({"--class", "terminal.exe", "--geometry", "400x300+900+50"});
  EXPECT_EQ(MainWindowOfClass("terminal.exe"), wine_terminal.Handle());
  EXPECT_EQ(MainWindowOfClass(kDefaultClass), terminal.Handle());
}

TEST_F(TerminalX11EndToEnd, CaptionNamesTheChartAndFollowsIt) {
  const std::string chart = "[EURUSD,M1]";
  const std::string caption = windows.WindowCaption(terminal.Handle());
  ASSERT_GT(caption.size(), chart.size());
  EXPECT_EQ(caption.substr(caption.size() - chart.size()), chart) << caption;

  ASSERT_EQ(terminal.Send("pair GBPUSD"), "ok pair GBPUSD");
  EXPECT_EQ(windows.WindowCaption(terminal.Handle()), caption.substr(0, caption.size() - chart.size()) + "[GBPUSD,M1]");
  EXPECT_EQ(windows.WindowCaption(0), "");
}

TEST_F(TerminalX11EndToEnd, RectangleIsTheWindowsPlaceOnTheScreen) {
  EXPECT_EQ(RectOf(terminal.Handle()), (WindowRect{100, 50, 900, 650}));
}

TEST_F(TerminalX11EndToEnd, StripCopyHoldsTheArrowWhereTheTerminalDrewIt) {
  const std::string answer = terminal.Send("up");
  int x = 0, y = 0;
  ASSERT_EQ(std::sscanf(answer.c_str(), "ok up %d %d", &x, &y), 2) << answer;

  Bitmap strip;
  ASSERT_TRUE(CopyStrip(terminal.Handle(), strip));
  ASSERT_EQ(strip.Height(), 600);
  const TArrowMatch match = FindUpArrow(strip);
  ASSERT_TRUE(match.Found);
  EXPECT_EQ(match.X, x - (800 - kStripWidth));
  EXPECT_EQ(match.Y, y);
  EXPECT_EQ(match.Score, 100.0);

  // The screen ends at row 1000, the window's row 950.
  Bitmap beyond;
  beyond.Resize(kStripWidth, 100);
  EXPECT_FALSE(windows.CopyWindowPixels(terminal.Handle(), 800 - kStripWidth, 950, beyond));
}

// The screen is 1600 pixels wide: the window's last 40 columns lie beyond it.
TEST_F(X11WindowSystemEndToEnd, StripPartlyOffTheScreenGivesItsVisiblePartAndWhite) {
  DemoTerminal terminal({"--geometry", "800x600+840+50"});
  const std::string answer = terminal.Send("up");
  int x = 0, y = 0;
  ASSERT_EQ(std::sscanf(answer.c_str(), "ok up %d %d", &x, &y), 2) << answer;

  Bitmap strip;
  ASSERT_TRUE(CopyStrip(terminal.Handle(), strip));
  const TArrowMatch match = FindUpArrow(strip);
  ASSERT_TRUE(match.Found);
  EXPECT_EQ(match.X, x - (800 - kStripWidth));
  EXPECT_EQ(match.Y, y);
  for (int row = 0; row < strip.Height(); row += 50) {
    EXPECT_NE(strip.Pixel(kStripWidth - 41, row), kWhite) << row;
    EXPECT_EQ(strip.Pixel(kStripWidth - 40, row), kWhite) << row;
  }
}

// What the screen shows lies over the terminal, until it is raised.
TEST_F(TerminalX11EndToEnd, StripCopyShowsAWindowOverTheTerminalUntilItIsRaised) {
  ASSERT_EQ(terminal.Send("up").rfind("ok up ", 0), 0u);
  const ui::Color cover = ui::Rgb(30, 60, 200);
  MakeWindow(Root(), 700, 0, 400, 700, cover);

  Bitmap strip;
  ASSERT_TRUE(CopyStrip(terminal.Handle(), strip));
  EXPECT_FALSE(FindUpArrow(strip).Found);
  EXPECT_EQ(strip.Pixel(kStripWidth - 1, 300), cover);

  windows.BringWindowToTop(terminal.Handle());
  // The terminal paints what was covered when the server tells it to.
  EXPECT_TRUE(WaitFor([&] { return CopyStrip(terminal.Handle(), strip) && FindUpArrow(strip).Found; }));
}

TEST_F(TerminalX11EndToEnd, AGoneWindowGivesNothing) {
  const WindowHandle window = terminal.Handle();
  terminal.Quit();
  // The server destroys the window when it sees the connection end.
  ASSERT_TRUE(WaitFor([&] {
    WindowRect rect;
    return !windows.GetWindowRect(window, rect);
  }));
  Bitmap strip;
  strip.Resize(kStripWidth, 600);
  EXPECT_FALSE(windows.CopyWindowPixels(window, 800 - kStripWidth, 0, strip));
  EXPECT_EQ(windows.WindowCaption(window), "");
  EXPECT_EQ(MainWindowOfClass(kDefaultClass), 0u);
  // Nothing of these may end the program.
  windows.DrawFrame(window, {1, 1, 10, 10}, kYellow);
  windows.ShowWindowNoActivate(window);
  windows.BringWindowToTop(window);
}

TEST_F(TerminalX11EndToEnd, FrameLiesExactlyOnItsOutline) {
  const WindowRect frame{300, 200, 313, 215};
  const int margin = 3;
  Bitmap before, after;
  before.Resize(frame.right - frame.left + 2 * margin, frame.bottom - frame.top + 2 * margin);
  after = before;
  ASSERT_TRUE(windows.CopyWindowPixels(terminal.Handle(), frame.left - margin, frame.top - margin, before));

  windows.DrawFrame(terminal.Handle(), frame, kYellow);
  ASSERT_TRUE(windows.CopyWindowPixels(terminal.Handle(), frame.left - margin, frame.top - margin, after));
  for (int y = 0; y < after.Height(); ++y)
    for (int x = 0; x < after.Width(); ++x) {
      const int wx = x + frame.left - margin, wy = y + frame.top - margin;
      const bool inside = wx >= frame.left && wx < frame.right && wy >= frame.top && wy < frame.bottom;
      const bool outline = inside && (wx == frame.left || wx == frame.right - 1 || wy == frame.top ||
                                      wy == frame.bottom - 1);
      EXPECT_EQ(after.Pixel(x, y), outline ? kYellow : before.Pixel(x, y)) << "at " << wx << "," << wy;
    }
}

// Without a window manager an iconified window is simply unmapped.
TEST_F(TerminalX11EndToEnd, HiddenWindowReportsTheMinimisedRectangleUntilRestored) {
  const Window window = static_cast<Window>(terminal.Handle());
  Window focus_before = 0;
  int revert = 0;
  XGetInputFocus(display, &focus_before, &revert);
  XUnmapWindow(display, window);
  XSync(display, False);

  EXPECT_EQ(RectOf(window), (WindowRect{-32000, -32000, -31840, -31972}));
  Bitmap strip;
  strip.Resize(kStripWidth, 28);
  EXPECT_FALSE(windows.CopyWindowPixels(window, 0, 0, strip));

  windows.ShowWindowNoActivate(window);
  EXPECT_EQ(RectOf(window), (WindowRect{100, 50, 900, 650}));
  Window focus_after = 0;
  XGetInputFocus(display, &focus_after, &revert);
  EXPECT_EQ(focus_after, focus_before);

  XUnmapWindow(display, window);
  XSync(display, False);
  windows.ShowWindow(window);
  EXPECT_EQ(RectOf(window), (WindowRect{100, 50, 900, 650}));
}

// A reparenting window manager's frame, its client inside and a menu of the
// same program, played with windows of the test's own.
TEST_F(X11WindowSystemEndToEnd, FindsTheClientInsideAFrameAndSkipsMenus) {
  const Window menu = MakeWindow(Root(), 0, 0, 50, 50);
  SetClass(menu, "terminal.exe");
  XSetWindowAttributes override{};
  override.override_redirect = True;
  XChangeWindowAttributes(display, menu, CWOverrideRedirect, &override);
  const Window frame = MakeWindow(Root(), 100, 80, 420, 330);
  const Window client = MakeWindow(frame, 10, 30, 400, 300);
  SetClass(client, "terminal.exe");
  SetWmState(client, NormalState);
  XSync(display, False);

  EXPECT_EQ(MainWindowOfClass("terminal.exe"), client);
  EXPECT_EQ(RectOf(client), (WindowRect{110, 110, 510, 410}));

  SetWmState(client, IconicState);
  XSync(display, False);
  EXPECT_EQ(RectOf(client), (WindowRect{-32000, -32000, -31840, -31972}));
}

// Without the window manager's UTF-8 name the plain one is converted.
TEST_F(X11WindowSystemEndToEnd, CaptionFromALatin1NameIsConvertedToUtf8) {
  const Window window = MakeWindow(Root(), 0, 0, 100, 100);
  XStoreName(display, window, "Caf\xe9 - [EURUSD,M5]");
  XSync(display, False);
  EXPECT_EQ(windows.WindowCaption(window), "Caf\xc3\xa9 - [EURUSD,M5]");
}

}  // namespace
}  // namespace vantrope::testing
