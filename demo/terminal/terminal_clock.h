// Where the terminal takes its time from: the real clock in the program,
// a hand-driven one in tests.
#pragma once

#include <chrono>
#include <cstdint>

namespace vantrope::demo::terminal {

class TerminalClock {
 public:
  virtual ~TerminalClock() = default;
  // Milliseconds from any fixed start; never goes back.
  virtual int64_t NowMs() = 0;
};

// The real clock of the window programs.
class SteadyClock : public TerminalClock {
 public:
  int64_t NowMs() override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace vantrope::demo::terminal
