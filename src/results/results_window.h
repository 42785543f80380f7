// The results window: the bets of a history file, filtered by date range,
// pair and strategy, with their figures and equity curve. It reads the file
// and never writes it; while the robot runs, each bet it records in the file
// shown is added at once.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "results/bet_statistics.h"
#include "results/history_reading.h"
#include "ui/controls.h"

namespace vantrope {

struct HistoryFilter {
  double from = 0;  // the first and the last day shown, whole days; 0: no limit
  double to = 0;
  std::string pair;   // empty: every pair
  int strategy = -1;  // -1: every strategy

  bool operator==(const HistoryFilter&) const = default;
};

class ResultsWindow : public ui::Model {
 public:
  ResultsWindow();

  // Reads the file and shows the window.
  void Open(const std::string& path);
  void SetFilter(const HistoryFilter& filter);
  // A bet just appended to the file at `path`: shown if that file is open.
  void RecordAdded(const std::string& path, const THistoryRecord& record);
  // Writes the bets shown as CSV; the error text when the file cannot be written.
  std::optional<std::string> ExportCsv(const std::string& path) const;

  const std::string& Path() const { return path_; }
  const HistoryContents& Contents() const { return contents_; }
  const HistoryFilter& Filter() const { return filter_; }
  // The bets the filter lets through, in the order they were placed.
  const std::vector<const THistoryRecord*>& Shown() const { return shown_; }
  const BetFigures& Figures() const { return figures_; }
  const std::vector<EquityPoint>& Curve() const { return curve_; }
  // The pairs and strategies of the whole file, for the filters' choices.
  std::vector<std::string> Pairs() const;
  std::vector<int> Strategies() const;
  // What the window says under the table: the file, its bets, what it could not read.
  std::string StatusText() const;

  ui::Window Form;

 private:
  void Refilter();

  std::string path_;
  HistoryContents contents_;
  HistoryFilter filter_;
  std::vector<const THistoryRecord*> shown_;
  BetFigures figures_;
  std::vector<EquityPoint> curve_;
};

}  // namespace vantrope
