// Date-time texts in the user's formats.
#include <gtest/gtest.h>

#include "text/date_time_format.h"

namespace vantrope {
namespace {

// 8 December 2026 at this time of day.
double At(int hour, int minute, int second) { return 46364 + (hour * 3600 + minute * 60 + second) / 86400.0; }

TEST(DateTimeFormat, DesignatorsMakeTheHourTwelveHourAndWriteTheirHalfOfTheDay) {
  const TimeDesignators locale{"vorm.", "nachm."};
  EXPECT_EQ(FormatDateTime("h:nn:ss ampm", At(14, 5, 33), locale), "2:05:33 nachm.");
  EXPECT_EQ(FormatDateTime("h:nn:ss ampm", At(0, 5, 33), locale), "12:05:33 vorm.");
  EXPECT_EQ(FormatDateTime("hh:mm AMPM", At(12, 0, 0)), "12:00 PM");
  EXPECT_EQ(FormatDateTime("hh:nn am/pm", At(9, 7, 0)), "09:07 am");
  EXPECT_EQ(FormatDateTime("h:nn AM/PM", At(23, 59, 0)), "11:59 PM");
  EXPECT_EQ(FormatDateTime("h:nn a/p", At(13, 0, 0)), "1:00 p");
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy h:nn:ss", At(14, 5, 33)), "08.12.2026 14:05:33") << "no designator: 24 hours";
  EXPECT_EQ(FormatDateTime("h:nn 'ampm'", At(14, 5, 0)), "14:05 ampm") << "quoted text is no designator";
}

}  // namespace
}  // namespace vantrope
