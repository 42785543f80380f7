// A virtual X server of the tests' own. Xvfb takes the first free display
// number itself (-displayfd), so test runs side by side never collide on one.
#pragma once

#include "child_process.h"

namespace vantrope::testing {

class VirtualDisplay {
 public:
  // Starts the server and points DISPLAY at it; throws std::runtime_error
  // when it does not come up.
  VirtualDisplay();

 private:
  ChildProcess server_;
};

}  // namespace vantrope::testing
