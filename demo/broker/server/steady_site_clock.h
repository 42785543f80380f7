// The server's time: milliseconds since it started.
#pragma once

#include <chrono>

#include "broker/site_clock.h"

namespace vantrope::demo {

class SteadySiteClock : public SiteClock {
 public:
  int64_t NowMs() override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace vantrope::demo
