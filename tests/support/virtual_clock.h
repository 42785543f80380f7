// Virtual time for tests: the clock and the timer host in one. Advancing
// fires the armed timers in the order of their due times.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "desktop/clock.h"
#include "ui/timer.h"

namespace vantrope::testing {

class VirtualClock : public Clock, public ui::TimerHost {
 public:
  // 8 December 2026, 12:00 local time.
  static constexpr double kStartDay = 46364.5;

  // The monotonic time of a machine up for an hour.
  static constexpr int64_t kMonotonicStartMs = 3'600'000;

  double Now() override { return kStartDay + static_cast<double>(now_ms_ + wall_step_ms_) / 86'400'000.0; }
  int64_t MonotonicMs() override { return kMonotonicStartMs + now_ms_; }
  std::string LongTimeFormat() override { return long_time_format; }
  std::string ShortDateFormat() override { return "dd.mm.yyyy"; }
  TimeDesignators Designators() override { return {}; }
  char DecimalSeparator() override { return '.'; }

  void Arm(ui::Timer& timer) override { armed_[&timer] = {now_ms_ + timer.Interval(), next_sequence_++}; }
  void Disarm(ui::Timer& timer) override { armed_.erase(&timer); }
  void Forget(ui::Timer& timer) override { armed_.erase(&timer); }

  // Moves time forward, firing every timer that falls due on the way.
  void Advance(int64_t ms);
  int64_t ElapsedMs() const { return now_ms_; }
  // Sets the date-time it tells `ms` forward (or back, when negative), as
  // daylight saving, an NTP step or the user does: no timer fires, and
  // timers and the elapsed time keep their pace.
  void StepWallClock(int64_t ms) { wall_step_ms_ += ms; }
  // The locale's long time format, for tests of other locales.
  std::string long_time_format = "hh:nn:ss";
  // Called after every timer that fired, for tests that watch each step.
  std::function<void()> after_fire;
  bool IsArmed(const ui::Timer& timer) const { return armed_.count(const_cast<ui::Timer*>(&timer)) != 0; }

 private:
  struct Due {
    int64_t at_ms;
    uint64_t sequence;  // timers due together fire in the order they were armed
  };
  int64_t now_ms_ = 0;
  int64_t wall_step_ms_ = 0;
  uint64_t next_sequence_ = 0;
  std::map<ui::Timer*, Due> armed_;
};

}  // namespace vantrope::testing
