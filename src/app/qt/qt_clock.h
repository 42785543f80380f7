// The clock port on the system clock and the system locale.
#pragma once

#include "desktop/clock.h"

namespace vantrope {

class QtClock : public Clock {
 public:
  double Now() override;
  std::string LongTimeFormat() override;
  std::string ShortDateFormat() override;
  char DecimalSeparator() override;
};

}  // namespace vantrope
