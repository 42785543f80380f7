// The clock port on the system clock and Qt's default locale, which is the
// system's unless set otherwise.
#pragma once

#include "desktop/clock.h"

namespace vantrope {

class QtClock : public Clock {
 public:
  double Now() override;
  int64_t MonotonicMs() override;
  std::string LongTimeFormat() override;
  std::string ShortDateFormat() override;
  TimeDesignators Designators() override;
  char DecimalSeparator() override;
};

}  // namespace vantrope
