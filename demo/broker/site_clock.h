// Where the site takes its time from: the real clock in the server, virtual
// time in tests.
#pragma once

#include <cstdint>

namespace vantrope::demo {

class SiteClock {
 public:
  virtual ~SiteClock() = default;
  // Milliseconds from any fixed start; never goes back.
  virtual int64_t NowMs() = 0;
};

}  // namespace vantrope::demo
