// vantrope-demo-terminal: a chart window standing in for the trading
// terminal, driven by its schedule and by commands on standard input.
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

#include "alert_window.h"
#include "chart_window.h"
#include "demo/terminal/demo_terminal.h"

namespace {

using vantrope::demo::terminal::AlertWindow;
using vantrope::demo::terminal::ChartWindow;
using vantrope::demo::terminal::DemoTerminal;


void PrintLine(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void ShowChart(ChartWindow& window, DemoTerminal& terminal) {
  window.SetCaption(terminal.Caption(), terminal.ChartName());
  window.Show(terminal.Render());
}

// Handles the X events waiting; false once the chart window was asked to close.
bool HandleXEvents(Display* display, ChartWindow& window, std::unique_ptr<AlertWindow>& alert, DemoTerminal& terminal,
                   bool& redraw, bool& repaint) {
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (alert && alert->IsCloseRequest(event)) alert.reset();
    if (event.xany.window != window.Id()) continue;
    if (window.IsCloseRequest(event)) return false;
    if (event.type == Expose && event.xexpose.count == 0) repaint = true;
    if (event.type == ConfigureNotify && terminal.Resize(event.xconfigure.width, event.xconfigure.height))
      redraw = true;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int exit_code = 0;
  const auto options = vantrope::demo::terminal::CommandLineOptions(argc, argv, exit_code);
  if (!options) return exit_code;

  // The stop signals arrive as readable data, between two steps of the loop.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGTERM);
  sigaddset(&stop_signals, SIGINT);
  sigprocmask(SIG_BLOCK, &stop_signals, nullptr);
  const int signal_fd = signalfd(-1, &stop_signals, SFD_CLOEXEC);
  // A reader that went away must not end the window.
  signal(SIGPIPE, SIG_IGN);

  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::cerr << "vantrope-demo-terminal: cannot open the display " << XDisplayName(nullptr) << "\n";
    return 1;
  }
  try {
    vantrope::demo::terminal::SteadyClock clock;
    DemoTerminal terminal(*options, clock);
    ChartWindow window(display, *options);
    std::unique_ptr<AlertWindow> alert;
    window.SetCaption(terminal.Caption(), terminal.ChartName());
    window.MapAndWait();
    ShowChart(window, terminal);
    XSync(display, False);
    // The events of the mapping are handled before the window is announced:
    // a late first repaint would wipe what another program drew on it.
    bool redraw = false;
    bool repaint = false;
    if (!HandleXEvents(display, window, alert, terminal, redraw, repaint))
      throw std::runtime_error("the window was closed before it was announced");
    if (redraw)
      ShowChart(window, terminal);
    else if (repaint)
      window.Repaint();
    XSync(display, False);
    char id[32];
    std::snprintf(id, sizeof id, "window 0x%lx", static_cast<unsigned long>(window.Id()));
    PrintLine(id);

    bool input_open = true;
    std::string pending_input;
    for (;;) {
      bool redraw = terminal.CatchUp();
      bool repaint = false;
      if (!HandleXEvents(display, window, alert, terminal, redraw, repaint)) break;
      if (redraw)
        ShowChart(window, terminal);
      else if (repaint)
        window.Repaint();
      XFlush(display);
      // Events already read into Xlib's queue would not wake poll().
      if (XEventsQueued(display, QueuedAlready) > 0) continue;

      pollfd fds[3] = {{ConnectionNumber(display), POLLIN, 0}, {signal_fd, POLLIN, 0}, {0, POLLIN, 0}};
      const int64_t wait_ms = terminal.MsUntilNextEvent();
      if (poll(fds, input_open ? 3 : 2, static_cast<int>(std::min<int64_t>(wait_ms, 1000000))) < 0) continue;
      if (fds[1].revents != 0) break;
      if (!input_open || fds[2].revents == 0) continue;

      char buffer[4096];
      const ssize_t count = read(0, buffer, sizeof buffer);
      if (count < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (count <= 0) {
        // End of input (or none to read): a last line without its line end still counts.
        input_open = false;
        if (!pending_input.empty()) pending_input += '\n';
      }
      pending_input.append(buffer, static_cast<size_t>(std::max<ssize_t>(count, 0)));
      bool quit = false;
      for (size_t end; !quit && (end = pending_input.find('\n')) != std::string::npos;) {
        std::string line = pending_input.substr(0, end);
        pending_input.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const DemoTerminal::LineResult result = terminal.HandleLine(line);
        if (result.changed) ShowChart(window, terminal);
        if (result.alert)
          alert = *result.alert ? std::make_unique<AlertWindow>(display, window.Id(), options->window_class) : nullptr;
        // The answer comes once the server has drawn what it tells about.
        XSync(display, False);
        if (!result.reply.empty()) PrintLine(result.reply);
        quit = result.quit;
      }
      if (quit) break;
    }
  } catch (const std::exception& failure) {
    std::cerr << "vantrope-demo-terminal: " << failure.what() << "\n";
    exit_code = 1;
  }
  XCloseDisplay(display);
  return exit_code;
}
