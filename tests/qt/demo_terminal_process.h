// The demo terminal program: commands on its standard input, answers on its
// output.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "child_process.h"
#include "desktop/window_system.h"

namespace vantrope::testing {

class DemoTerminal {
 public:
  static constexpr int kStartTimeoutMs = 20000;
  static constexpr int kAnswerTimeoutMs = 10000;

  explicit DemoTerminal(const std::vector<std::string>& options) : program_(Arguments(options)) {
    const std::optional<std::string> line = program_.ReadLine(kStartTimeoutMs);
    const std::string prefix = "window 0x";
    if (!line || line->rfind(prefix, 0) != 0)
      throw std::runtime_error("the demo terminal did not show its window: " + line.value_or(""));
    window_ = std::stoull(line->substr(prefix.size()), nullptr, 16);
  }

  WindowHandle Handle() const { return window_; }
  // The terminal's answer to `command`.
  std::string Send(const std::string& command) {
    if (!program_.WriteLine(command)) return "";
    for (;;) {
      const std::optional<std::string> line = program_.ReadLine(kAnswerTimeoutMs);
      if (!line) return "";
      if (line->rfind("ok ", 0) == 0 || line->rfind("error ", 0) == 0) return *line;
    }
  }
  // Quits and waits until the program has ended.
  void Quit() {
    program_.WriteLine("quit");
    while (program_.ReadLine(kAnswerTimeoutMs)) {
    }
  }

 private:
  static std::vector<std::string> Arguments(const std::vector<std::string>& options) {
    std::vector<std::string> arguments = {VANTROPE_DEMO_TERMINAL, "--pair", "EURUSD", "--timeframe", "M1"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return arguments;
  }

  ChildProcess program_;
  WindowHandle window_ = 0;
};

}  // namespace vantrope::testing
