// Runs the timer models on QTimers. A time scale above 1 divides every
// interval, so demonstrations and end-to-end tests run faster.
#pragma once

#include <QTimer>
#include <memory>
#include <unordered_map>

#include "ui/timer.h"

namespace vantrope {

class QtTimerHost : public ui::TimerHost {
 public:
  explicit QtTimerHost(int time_scale);
  void Arm(ui::Timer& timer) override;
  void Disarm(ui::Timer& timer) override;
  void Forget(ui::Timer& timer) override;

  // Stops every timer for good: after the program has decided to end, no
  // tick may reach the robot any more.
  void Halt();

 private:
  int time_scale_;
  bool halted_ = false;
  // Parent of the QTimers: deletes those still alive with the host.
  QObject owner_;
  std::unordered_map<ui::Timer*, QTimer*> qtimers_;
};

}  // namespace vantrope
