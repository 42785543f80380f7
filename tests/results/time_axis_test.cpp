// The equity chart's time axis: ticks at whole steps inside the times shown,
// and labels no two of which read the same, for spans of seconds to decades.
#include "results/time_axis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace vantrope {
namespace {

constexpr double kHour = 1.0 / 24;
constexpr double kDay0 = 46000;  // 2025-12-09, 00:00

std::vector<std::string> Labels(const TimeAxis& axis) {
  std::vector<std::string> labels;
  for (const TimeTick& tick : axis.ticks) labels.push_back(tick.label);
  return labels;
}

TEST(TimeAxisTest, EveryTickCountAndSpanGivesWholeStepsLabelledApart) {
  const struct {
    const char* name;
    double first, last;
  } spans[] = {
      {"one bet", kDay0 + 13.5 * kHour, kDay0 + 13.5 * kHour},
      {"three minutes", kDay0 + 10 * kHour + 0.0003, kDay0 + 10 * kHour + 0.0024},
      {"hours of one day", kDay0 + 9.6 * kHour, kDay0 + 14.2 * kHour},
      {"hours over midnight", kDay0 + 20.2 * kHour, kDay0 + 1 + 3.9 * kHour},
      {"a whole day and a bit", kDay0 + 0.01, kDay0 + 1.03},
      {"three days", kDay0 + 9 * kHour, kDay0 + 2 + 21 * kHour},
      {"months", kDay0 - 40.3, kDay0 + 110.2},
      {"a year", kDay0 - 200.5, kDay0 + 170.2},
      {"decades", kDay0 - 9000, kDay0 + 4000},
      {"a damaged record's time", -1e300, kDay0},
  };
  for (const auto& span : spans) {
    for (int max_ticks = 2; max_ticks <= 12; ++max_ticks) {
      SCOPED_TRACE(::testing::Message() << span.name << ", at most " << max_ticks << " ticks");
      const TimeAxis axis = ChooseTimeAxis(span.first, span.last, max_ticks);
      EXPECT_LT(axis.from, axis.to);
      ASSERT_FALSE(axis.ticks.empty());
      EXPECT_LE(axis.ticks.size(), static_cast<size_t>(max_ticks));
      const std::vector<std::string> labels = Labels(axis);
      EXPECT_EQ(std::set<std::string>(labels.begin(), labels.end()).size(), labels.size())
          << ::testing::PrintToString(labels);
      for (size_t i = 0; i < axis.ticks.size(); ++i) {
        const double time = axis.ticks[i].time;
        EXPECT_GE(time, axis.from);
        EXPECT_LE(time, axis.to);
        if (i > 0) {
          EXPECT_GT(time, axis.ticks[i - 1].time);
        }
        const double seconds = time * 86'400;
        EXPECT_NEAR(seconds, std::round(seconds), 1e-3) << "a whole second";
        // A date alone stands for its midnight.
        if (labels[i].size() == 10) {
          EXPECT_EQ(time, std::floor(time)) << labels[i];
        }
      }
    }
  }
}

TEST(TimeAxisTest, LabelsSayOnlyWhatTellsTheTicksApart) {
  EXPECT_EQ(Labels(ChooseTimeAxis(kDay0 + 9.6 * kHour, kDay0 + 14.2 * kHour, 6)),
            (std::vector<std::string>{"10:00", "11:00", "12:00", "13:00", "14:00"}))
      << "one day: the time alone";
  EXPECT_EQ(Labels(ChooseTimeAxis(kDay0 + 20.2 * kHour, kDay0 + 1 + 3.9 * kHour, 6)),
            (std::vector<std::string>{"2025-12-09 22:00", "2025-12-10 00:00", "2025-12-10 02:00"}))
      << "over midnight: the same hours come again, so the date as well";
  EXPECT_EQ(Labels(ChooseTimeAxis(kDay0 + 9 * kHour, kDay0 + 2 + 21 * kHour, 3)),
            (std::vector<std::string>{"2025-12-10", "2025-12-11"}))
      << "days apart: the date alone";
  EXPECT_EQ(Labels(ChooseTimeAxis(kDay0 + 9 * kHour, kDay0 + 2 + 21 * kHour, 6)),
            (std::vector<std::string>{"2025-12-09 12:00", "2025-12-10 00:00", "2025-12-10 12:00", "2025-12-11 00:00",
                                      "2025-12-11 12:00"}))
      << "half days apart";
  EXPECT_EQ(Labels(ChooseTimeAxis(kDay0 - 40.3, kDay0 + 110.2, 6)),
            (std::vector<std::string>{"2025-11-01", "2025-12-01", "2026-01-01", "2026-02-01", "2026-03-01"}))
      << "months: their first days";
}

// The chart gives each label an equal share of the axis, one more than its
// ticks, and cuts a longer label: fewer ticks, then shorter labels, as it narrows.
TEST(TimeAxisTest, FittedLabelsAreWholeInTheirShareOfTheAxis) {
  const auto width = [](const std::string& label) { return 7.0 * static_cast<double>(label.size()) + 8; };
  const double first = kDay0 + 9 * kHour, last = kDay0 + 2 + 21 * kHour;
  for (double axis_width = 250; axis_width <= 2000; axis_width += 25) {
    SCOPED_TRACE(axis_width);
    const TimeAxis axis = FitTimeAxis(first, last, axis_width, width);
    ASSERT_FALSE(axis.ticks.empty());
    for (const TimeTick& tick : axis.ticks)
      EXPECT_LE(width(tick.label), axis_width / static_cast<double>(axis.ticks.size() + 1)) << tick.label;
  }
  EXPECT_EQ(Labels(FitTimeAxis(first, last, 900, width)).size(), 5u) << "half days";
  EXPECT_EQ(Labels(FitTimeAxis(first, last, 400, width)), (std::vector<std::string>{"2025-12-10", "2025-12-11"}));
}

}  // namespace
}  // namespace vantrope
