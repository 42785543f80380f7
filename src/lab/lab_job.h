// A computation of the lab: the strategies chosen, each a column of the
// inputs they share with its own strategy and settings, run on random
// outcomes or on those of a history file. A job holds copies of all it
// needs, so that it runs on any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lab/lab_report.h"
#include "lab/lab_settings_file.h"

namespace vantrope {

inline constexpr int kLabHistogramBins = 20;

struct LabJob {
  std::vector<LabColumn> columns;  // each strategy's name and inputs
  std::string replay_file;         // empty: Monte Carlo
  // What the progress counts to: every run of every column.
  int Runs() const;
};

// What a window draws of a column: the fan chart of its balance paths and
// the histogram of its final balances, the histograms of all the columns
// over one range so that they stand side by side.
struct LabCharts {
  std::vector<LabBand> bands;
  LabHistogram histogram;
};

struct LabOutcome {
  std::vector<LabColumn> columns;
  std::vector<LabCharts> charts;  // by column
  std::string error;              // why nothing was computed
  bool cancelled = false;
};

// The strategies of the pages given, in that order, on the shared inputs.
std::vector<LabColumn> LabColumns(const LabSettings& offered, const std::vector<uint8_t>& pages,
                                  const LabInputs& shared);

// `progress` counts the runs done and is asked whether to give up.
LabOutcome RunLabJob(LabJob job, LabProgress& progress);

}  // namespace vantrope
