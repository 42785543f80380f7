#include "lab/lab_job.h"

#include <algorithm>

#include "lab/lab_history.h"
#include "results/history_reading.h"

namespace vantrope {

namespace {

std::vector<LabCharts> ChartsOf(const std::vector<LabColumn>& columns) {
  double low = 0, high = 0;
  bool first = true;
  for (const LabColumn& column : columns)
    for (const LabRun& run : column.result.runs) {
      low = first ? run.final_balance : std::min(low, run.final_balance);
      high = first ? run.final_balance : std::max(high, run.final_balance);
      first = false;
    }
  std::vector<LabCharts> charts;
  for (const LabColumn& column : columns)
    charts.push_back({BalanceBands(column.inputs, column.result),
                      FinalBalanceHistogram(column.result, kLabHistogramBins, low, high)});
  return charts;
}

}  // namespace

int LabJob::Runs() const {
  int runs = 0;
  for (const LabColumn& column : columns) runs += replay_file.empty() ? column.inputs.runs : 1;
  return runs;
}

std::vector<LabColumn> LabColumns(const LabSettings& offered, const std::vector<uint8_t>& pages,
                                  const LabInputs& shared) {
  std::vector<LabColumn> columns;
  for (const uint8_t page : pages)
    if (const LabStrategyChoice* choice = offered.Strategy(page)) {
      LabColumn column{choice->name, shared, {}, {}};
      column.inputs.strategy = page;
      column.inputs.params = choice->params;
      columns.push_back(std::move(column));
    }
  return columns;
}

LabOutcome RunLabJob(LabJob job, LabProgress& progress) {
  LabOutcome outcome;
  const bool replay = !job.replay_file.empty();
  std::vector<HistoryOutcome> history;
  if (replay) {
    const HistoryContents contents = ReadHistoryContents(job.replay_file);
    if (!contents.opened) {
      outcome.error = "Файл истории " + job.replay_file + " не открывается";
      return outcome;
    }
    history = HistoryOutcomes(contents.records);
    if (history.empty()) {
      outcome.error = "В файле истории " + job.replay_file + " нет ставок с известным итогом";
      return outcome;
    }
  }
  for (LabColumn& column : job.columns) {
    if (replay) {
      // One run over the whole history: the figures and bands count its bets.
      column.inputs.runs = 1;
      column.inputs.bets = static_cast<int>(history.size());
      column.result = ReplayHistory(column.inputs, history);
      progress.runs_done.fetch_add(1, std::memory_order_relaxed);
    } else {
      column.result = RunMonteCarlo(column.inputs, &progress);
    }
    if (column.result.cancelled || progress.cancel.load(std::memory_order_relaxed)) {
      outcome.cancelled = true;
      return outcome;
    }
    column.figures = Summarise(column.inputs, column.result);
  }
  outcome.charts = ChartsOf(job.columns);
  outcome.columns = std::move(job.columns);
  return outcome;
}

}  // namespace vantrope
