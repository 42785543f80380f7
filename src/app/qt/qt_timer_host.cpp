#include "app/qt/qt_timer_host.h"

#include <algorithm>

namespace vantrope {

QtTimerHost::QtTimerHost(int time_scale) : time_scale_(std::max(1, time_scale)) {}

void QtTimerHost::Arm(ui::Timer& timer) {
  if (halted_) return;
  QTimer*& qtimer = qtimers_[&timer];
  if (!qtimer) {
    qtimer = new QTimer(&owner_);
    qtimer->setTimerType(Qt::PreciseTimer);
    QObject::connect(qtimer, &QTimer::timeout, [&timer] { timer.Fire(); });
  }
  qtimer->start(std::max(1, timer.Interval() / time_scale_));
}

void QtTimerHost::Disarm(ui::Timer& timer) {
  if (auto found = qtimers_.find(&timer); found != qtimers_.end()) found->second->stop();
}

void QtTimerHost::Forget(ui::Timer& timer) {
  auto found = qtimers_.find(&timer);
  if (found == qtimers_.end()) return;
  found->second->stop();
  // The timer may be forgotten from inside its own tick.
  found->second->disconnect();
  found->second->deleteLater();
  qtimers_.erase(found);
}

void QtTimerHost::Halt() {
  halted_ = true;
  for (auto& [timer, qtimer] : qtimers_) {
    qtimer->stop();
    qtimer->disconnect();
  }
}

}  // namespace vantrope
