// The strategy lab's window: the strategies as the main window's pages show
// them, the inputs they share, which of them to compare side by side, random
// or recorded outcomes, and the figures of the last computation, one column
// a strategy. A computation runs as a job, a copy of the window's values, on
// another thread; the window shows its outcome.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lab/lab_input_fields.h"
#include "lab/lab_job.h"
#include "ui/controls.h"

namespace vantrope {

inline constexpr const char* kLabTitle = "Лаборатория стратегий";

class LabWindow : public ui::Model {
 public:
  LabWindow();

  // Shows the window on the strategies offered, with the account's balance
  // (none when 0 or less); the other inputs stay as the user left them.
  // While a computation runs, the window is only brought to the front.
  void Open(LabSettings offered, double balance);

  const LabSettings& Offered() const { return offered_; }
  const LabInputs& Inputs() const { return inputs_; }
  double Value(LabField field) const { return LabFieldValue(inputs_, field); }
  void SetValue(LabField field, double value);
  // Not while computing, nor a value of random outcomes for a replay.
  bool Editable(LabField field) const;
  bool Chosen(uint8_t page) const;
  void SetChosen(uint8_t page, bool chosen);
  // The outcomes of the history file instead of random ones.
  bool Replay() const { return replay_; }
  void SetReplay(bool replay);
  const std::string& ReplayFile() const { return replay_file_; }
  void SetReplayFile(std::string path);

  // The job of the values as they are, to run with Progress(); none when
  // they do not make one, and the status says why.
  std::optional<LabJob> Start();
  bool Computing() const { return computing_; }
  // What the running job's progress counts to.
  int RunsToCompute() const { return runs_to_compute_; }
  LabProgress& Progress() { return progress_; }
  void Cancel() { progress_.cancel = true; }
  // The job's outcome: its columns shown, or the last ones kept when it
  // gave none.
  void Show(LabOutcome outcome);

  const std::vector<LabColumn>& Columns() const { return columns_; }
  const std::vector<LabCharts>& Charts() const { return charts_; }
  // Counts the outcomes shown, so that a view redraws its charts only then.
  int ShownCount() const { return shown_count_; }
  std::string StatusText() const;
  // Writes the figures and the runs as CSV; the error text when the file
  // cannot be written.
  std::optional<std::string> ExportCsv(const std::string& path) const;

  ui::Window Form;

 private:
  LabSettings offered_;
  LabInputs inputs_;
  std::vector<uint8_t> chosen_;  // in the order offered
  bool replay_ = false;
  std::string replay_file_;
  bool computing_ = false;
  std::string job_file_;  // the running job's history; empty for random outcomes
  int runs_to_compute_ = 0;
  LabProgress progress_;
  std::vector<LabColumn> columns_;
  std::vector<LabCharts> charts_;
  std::string columns_file_;  // the same for the columns shown
  int shown_count_ = 0;
  std::string message_;  // why the last start or job gave nothing
};

}  // namespace vantrope
