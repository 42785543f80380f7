#include "support/virtual_clock.h"

namespace vantrope::testing {

void VirtualClock::Advance(int64_t ms) {
  const int64_t target = now_ms_ + ms;
  for (;;) {
    auto next = armed_.end();
    for (auto it = armed_.begin(); it != armed_.end(); ++it) {
      if (it->second.at_ms > target) continue;
      if (next == armed_.end() || it->second.at_ms < next->second.at_ms ||
          (it->second.at_ms == next->second.at_ms && it->second.sequence < next->second.sequence))
        next = it;
    }
    if (next == armed_.end()) break;
    ui::Timer& timer = *next->first;
    now_ms_ = next->second.at_ms;
    // Re-armed before the tick, so a handler that stops or restarts it wins.
    next->second = {now_ms_ + timer.Interval(), next_sequence_++};
    timer.Fire();
    if (after_fire) after_fire();
  }
  now_ms_ = target;
}

}  // namespace vantrope::testing
