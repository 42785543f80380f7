// The locale's time formats as the program reads them from Qt.
#include <gtest/gtest.h>

#include <QLocale>

#include "app/qt/qt_clock.h"

namespace vantrope::testing {
namespace {

// 8 December 2026, 14:05:33.
constexpr double kAfternoon = 46364 + (14 * 3600 + 5 * 60 + 33) / 86400.0;

std::string TimeIn(QLocale::Language language, QLocale::Country country) {
  QLocale::setDefault(QLocale(language, country));
  QtClock clock;
  return LongTimeText(clock, kAfternoon);
}

TEST(QtClock, TimeReadsAsTheLocaleWritesIt) {
  EXPECT_EQ(TimeIn(QLocale::English, QLocale::UnitedStates), "2:05:33 PM");
  EXPECT_EQ(TimeIn(QLocale::English, QLocale::Australia), "2:05:33 PM");
  EXPECT_EQ(TimeIn(QLocale::Korean, QLocale::SouthKorea), "오후 2시 5분 33초");
  EXPECT_EQ(TimeIn(QLocale::Russian, QLocale::Russia), "14:05:33");
  QLocale::setDefault(QLocale::system());
}

}  // namespace
}  // namespace vantrope::testing
