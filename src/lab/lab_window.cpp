#include "lab/lab_window.h"

#include <algorithm>

#include "log/history_file.h"
#include "settings/durable_file.h"

namespace vantrope {

namespace {
// The balance tried when the account shows none yet.
constexpr double kDefaultBalance = 1000;
}  // namespace

LabWindow::LabWindow() : replay_file_(kHistoryFileName) {
  Form.SetCaption(kLabTitle);
  Form.SetMinSize(800, 500);
  Form.SetBounds(80, 40, 1280, 820);
  Form.SetVisible(false);
}

void LabWindow::Open(LabSettings offered, double balance) {
  if (!computing_) {
    offered_ = std::move(offered);
    SetLabFieldValue(inputs_, LabField::kBalance, balance > 0 ? balance : kDefaultBalance);
    SetLabFieldValue(inputs_, LabField::kMinBalance, offered_.min_balance);
    SetLabFieldValue(inputs_, LabField::kAdvanceThreshold, offered_.advance_threshold);
    // The page shown is tried; the page without a strategy leaves the first.
    chosen_.clear();
    if (offered_.Strategy(offered_.shown) != nullptr)
      chosen_.push_back(offered_.shown);
    else if (!offered_.strategies.empty())
      chosen_.push_back(offered_.strategies.front().page);
  }
  Form.SetVisible(true);
  Form.BringToFront();
  Notify();
}

void LabWindow::SetValue(LabField field, double value) {
  SetLabFieldValue(inputs_, field, value);
  Notify();
}

bool LabWindow::Editable(LabField field) const {
  return !computing_ && !(replay_ && LabInputFieldOf(field).monte_carlo_only);
}

bool LabWindow::Chosen(uint8_t page) const { return std::find(chosen_.begin(), chosen_.end(), page) != chosen_.end(); }

void LabWindow::SetChosen(uint8_t page, bool chosen) {
  if (offered_.Strategy(page) == nullptr || Chosen(page) == chosen) return;
  std::vector<uint8_t> pages;
  for (const LabStrategyChoice& choice : offered_.strategies)
    if (choice.page == page ? chosen : Chosen(choice.page)) pages.push_back(choice.page);
  chosen_ = std::move(pages);
  Notify();
}

void LabWindow::SetReplay(bool replay) {
  replay_ = replay;
  Notify();
}

void LabWindow::SetReplayFile(std::string path) {
  replay_file_ = std::move(path);
  Notify();
}

std::optional<LabJob> LabWindow::Start() {
  if (computing_) return std::nullopt;
  if (chosen_.empty())
    message_ = "Отметьте хотя бы одну стратегию";
  else if (inputs_.min_balance >= inputs_.balance)
    message_ = "Начальный баланс должен быть больше минимального";
  else if (replay_ && replay_file_.empty())
    message_ = "Выберите файл истории";
  else
    message_.clear();
  if (!message_.empty()) {
    Notify();
    return std::nullopt;
  }
  LabJob job{LabColumns(offered_, chosen_, inputs_), replay_ ? replay_file_ : std::string()};
  computing_ = true;
  job_file_ = job.replay_file;
  runs_to_compute_ = job.Runs();
  progress_.runs_done = 0;
  progress_.cancel = false;
  Notify();
  return job;
}

void LabWindow::Show(LabOutcome outcome) {
  computing_ = false;
  if (outcome.cancelled)
    message_ = "Расчёт отменён";
  else
    message_ = std::move(outcome.error);
  if (message_.empty()) {
    columns_file_ = job_file_;
    columns_ = std::move(outcome.columns);
    charts_ = std::move(outcome.charts);
    ++shown_count_;
  }
  Notify();
}

std::string LabWindow::StatusText() const {
  if (computing_) return "Расчёт...";
  if (!message_.empty()) return message_;
  if (columns_.empty()) return "";
  const std::string inputs = LabInputsText(columns_.front().inputs, !columns_file_.empty());
  return columns_file_.empty() ? inputs : inputs + " (" + columns_file_ + ")";
}

std::optional<std::string> LabWindow::ExportCsv(const std::string& path) const {
  if (!WriteWholeFile(path, LabCsv(columns_))) return "Не удалось записать файл " + path;
  return std::nullopt;
}

}  // namespace vantrope
