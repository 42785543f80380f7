#include "virtual_display.h"

#include <cstdlib>
#include <stdexcept>

namespace vantrope::testing {

namespace {
// The server writes its display number once it takes connections.
constexpr int kStartTimeoutMs = 20000;
}  // namespace

VirtualDisplay::VirtualDisplay()
    : server_({"Xvfb", "-displayfd", "1", "-screen", "0", "1600x1000x24", "-nolisten", "tcp"}) {
  const std::optional<std::string> number = server_.ReadLine(kStartTimeoutMs);
  if (!number || number->empty()) throw std::runtime_error("Xvfb did not start");
  setenv("DISPLAY", (":" + *number).c_str(), 1);
}

}  // namespace vantrope::testing
