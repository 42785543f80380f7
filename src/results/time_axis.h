// The time axis of the equity chart: ticks at whole steps of the clock or of
// the calendar, labelled in one format that tells every tick from the others
// (the date alone when they are days apart, the time alone within one day).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vantrope {

struct TimeTick {
  double time = 0;  // days since 30 December 1899, as the bets' times
  std::string label;
};

struct TimeAxis {
  double from = 0;  // the range shown: the times asked for, never empty
  double to = 0;
  std::vector<TimeTick> ticks;  // in order, inside the range
};

// The axis for times from `first` to `last` with the finest step that puts
// at most `max_ticks` ticks inside them (fewer than 1 counts as 1).
TimeAxis ChooseTimeAxis(double first, double last, int max_ticks);

// The axis with the most ticks whose labels fit an axis `width` long, where
// the chart gives each label an equal share of the axis, one share more than
// there are ticks, and cuts what is longer. `label_width` measures a label
// in the units of `width`, with the space it wants around it.
TimeAxis FitTimeAxis(double first, double last, double width,
                     const std::function<double(const std::string&)>& label_width);

}  // namespace vantrope
