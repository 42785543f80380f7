#include "ui/timer.h"

namespace vantrope::ui {

Timer::Timer(TimerHost& host, std::string name, int interval_ms, std::function<void()> on_timer)
    : host_(host), name_(std::move(name)), interval_ms_(interval_ms), on_timer_(std::move(on_timer)) {}

Timer::~Timer() { host_.Forget(*this); }

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled_ && interval_ms_ > 0)
    host_.Arm(*this);
  else
    host_.Disarm(*this);
}

void Timer::SetInterval(int interval_ms) {
  if (interval_ms == interval_ms_) return;
  interval_ms_ = interval_ms;
  if (!enabled_) return;
  if (interval_ms_ > 0)
    host_.Arm(*this);
  else
    host_.Disarm(*this);
}

void Timer::Fire() {
  if (enabled_ && on_timer_) on_timer_();
}

}  // namespace vantrope::ui
