// Timer model: enabled, interval and a tick handler, driven by a timer host
// (Qt timers in the program, the virtual clock in tests).
#pragma once

#include <functional>
#include <string>

namespace vantrope::ui {

class Timer;

// The port that runs timers. Arm is called whenever a timer is enabled or its
// interval changes while enabled: the countdown starts again from now.
class TimerHost {
 public:
  virtual ~TimerHost() = default;
  virtual void Arm(Timer& timer) = 0;
  virtual void Disarm(Timer& timer) = 0;
  virtual void Forget(Timer& timer) = 0;
};

class Timer {
 public:
  Timer(TimerHost& host, std::string name, int interval_ms, std::function<void()> on_timer);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();

  const std::string& Name() const { return name_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int Interval() const { return interval_ms_; }
  // Like the toolkit's timers, a new interval on a running timer restarts it.
  void SetInterval(int interval_ms);
  // Called by the host when the interval has run out.
  void Fire();

 private:
  TimerHost& host_;
  std::string name_;
  int interval_ms_;
  bool enabled_ = false;
  std::function<void()> on_timer_;
};

}  // namespace vantrope::ui
