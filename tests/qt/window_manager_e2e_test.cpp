// The robot's X11 side and its window under a real window manager (openbox)
// in the test's virtual X server: frames around the windows, iconified
// windows, and a window manager that gives the focus to what it restores.
#include <gtest/gtest.h>

#include <QApplication>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <thread>

#include "demo_terminal_process.h"
#include "qt_program.h"
#include "seeking_form.h"
// Last: Xlib's macros (None, Status, Bool) clash with Qt's and the program's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vantrope::testing {
namespace {

bool WaitFor(const std::function<bool()>& condition, int timeout_ms = 10000) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// openbox on the test's display, ready once it manages a window of the
// test's own: it gets a frame and WM_STATE.
class WindowManager {
 public:
  WindowManager() : display_(XOpenDisplay(nullptr)), openbox_({"openbox", "--sm-disable"}) {
    if (display_ == nullptr) throw std::runtime_error("no X server");
    const Window probe = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 50, 50, 0, 0, 0);
    const Atom wm_state = XInternAtom(display_, "WM_STATE", False);
    // Mapped again until managed: a map before openbox took the screen is not its.
    const bool managed = WaitFor([&] {
      XMapWindow(display_, probe);
      Atom type = 0;
      int format = 0;
      unsigned long count = 0, after = 0;
      unsigned char* data = nullptr;
      XGetWindowProperty(display_, probe, wm_state, 0, 2, False, wm_state, &type, &format, &count, &after, &data);
      if (data != nullptr) XFree(data);
      return count > 0;
    });
    XDestroyWindow(display_, probe);
    XSync(display_, False);
    if (!managed) throw std::runtime_error("openbox did not start");
  }
  ~WindowManager() {
    openbox_.Stop();
    XCloseDisplay(display_);
  }
  Display* display() const { return display_; }

  bool Viewable(Window window) const {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display_, window, &attributes) != 0 && attributes.map_state == IsViewable;
  }
  Window Focus() const {
    Window focus = 0;
    int revert_to = 0;
    XGetInputFocus(display_, &focus, &revert_to);
    return focus;
  }

 private:
  Display* display_;
  ChildProcess openbox_;
};

// The terminal minimised by the user is restored by the robot, once, and the
// window the user works in keeps the keyboard.
TEST(WindowManagerEndToEnd, IconifiedTerminalIsRestoredWithoutTakingTheFocus) {
  WindowManager manager;
  Display* display = manager.display();
  DemoTerminal terminal({"--geometry", "800x600+100+50"});
  const auto chart = static_cast<Window>(terminal.Handle());
  const Window users = XCreateSimpleWindow(display, DefaultRootWindow(display), 950, 100, 300, 200, 0, 0, 0);
  XMapWindow(display, users);
  ASSERT_TRUE(WaitFor([&] { return manager.Viewable(users); }));
  XSetInputFocus(display, users, RevertToParent, CurrentTime);
  XIconifyWindow(display, chart, DefaultScreen(display));
  XSync(display, False);
  ASSERT_TRUE(WaitFor([&] { return !manager.Viewable(chart) && manager.Focus() == users; }));

  SeekingForm seeking;
  TMainForm& form = seeking.form;
  FakePlatform& fake = seeking.fake;
  const int fronts_at_start = fake.shell.bring_to_front_calls;
  fake.clock.Advance(1000);
  EXPECT_EQ(form.terminal.TerminalHandle, chart) << "the client inside openbox's frame";
  ASSERT_TRUE(WaitFor([&] { return manager.Viewable(chart); }));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(manager.Focus(), users);
  fake.clock.Advance(1000);
  EXPECT_EQ(form.terminal.TerminalValute, "frxEURUSD");
  EXPECT_EQ(form.terminal.TerminalRect.width, 800);
  EXPECT_EQ(form.terminal.TerminalRect.height, 600);
  EXPECT_EQ(fake.shell.bring_to_front_calls, fronts_at_start + 1) << "with the restore only";
}

// The frame openbox puts around the robot's window is learned once it shows:
// the stored height is the outer height, and it does not grow by the title
// bar from one run to the next.
TEST(WindowManagerEndToEnd, RobotWindowKeepsItsStoredHeightInsideTheFrame) {
  WindowManager manager;
  QtProgram program(1, [](IniFile& ini) { ini.WriteInteger("MainForm", "Height", 640); });
  QWidget& window = program.main_window;
  ASSERT_TRUE(WaitFor([&] { return window.isVisible() && program.form.Form.FrameHeight() > 0; }));
  ASSERT_TRUE(WaitFor([&] { return window.frameGeometry().height() == 640; }))
      << "outer height " << window.frameGeometry().height();
  EXPECT_EQ(window.height(), 640 - program.form.Form.FrameHeight());
  EXPECT_EQ(window.frameGeometry().width() - window.width(), program.form.Form.FrameWidth());
  // What the settings file gets back.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  QApplication::processEvents();
  EXPECT_EQ(program.form.Form.Height(), 640);
}

}  // namespace
}  // namespace vantrope::testing
