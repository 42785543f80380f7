#include "results/results_window.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

#include "results/results_text.h"
#include "settings/durable_file.h"

namespace vantrope {

namespace {
constexpr int kWidth = 1000;
constexpr int kHeight = 700;
}  // namespace

ResultsWindow::ResultsWindow() {
  Form.SetCaption("История ставок");
  Form.SetMinSize(600, 400);
  Form.SetBounds(60, 60, kWidth, kHeight);
  Form.SetVisible(false);
}

void ResultsWindow::Open(const std::string& path) {
  path_ = path;
  contents_ = ReadHistoryContents(path);
  Form.SetCaption("История ставок: " + std::filesystem::path(path).filename().string());
  Refilter();
  Form.SetVisible(true);
  Form.BringToFront();
}

void ResultsWindow::SetFilter(const HistoryFilter& filter) {
  if (filter == filter_) return;
  filter_ = filter;
  Refilter();
}

void ResultsWindow::RecordAdded(const std::string& path, const THistoryRecord& record) {
  // A file that did not exist yet when opened is the robot's first.
  if (path_.empty() || path != path_) return;
  // The pointers into the records move when the vector grows.
  contents_.records.push_back(record);
  Refilter();
}

void ResultsWindow::Refilter() {
  shown_.clear();
  for (const THistoryRecord& bet : contents_.records) {
    const double day = std::floor(bet.Time);
    if (filter_.from != 0 && day < filter_.from) continue;
    if (filter_.to != 0 && day > filter_.to) continue;
    if (!filter_.pair.empty() && bet.Pair != filter_.pair) continue;
    if (filter_.strategy >= 0 && bet.Strategy != filter_.strategy) continue;
    shown_.push_back(&bet);
  }
  // The file keeps them in the order of their results; the bets are counted
  // in the order they were placed.
  std::stable_sort(shown_.begin(), shown_.end(),
                   [](const THistoryRecord* a, const THistoryRecord* b) { return a->Time < b->Time; });
  figures_ = ComputeFigures(shown_);
  curve_ = EquityCurve(shown_);
  Notify();
}

std::optional<std::string> ResultsWindow::ExportCsv(const std::string& path) const {
  if (!WriteWholeFile(path, CsvText(shown_))) return "Unable to write to " + path;
  return std::nullopt;
}

std::vector<std::string> ResultsWindow::Pairs() const {
  std::set<std::string> pairs;
  for (const THistoryRecord& bet : contents_.records) pairs.insert(bet.Pair);
  return {pairs.begin(), pairs.end()};
}

std::vector<int> ResultsWindow::Strategies() const {
  std::set<int> strategies;
  for (const THistoryRecord& bet : contents_.records) strategies.insert(bet.Strategy);
  return {strategies.begin(), strategies.end()};
}

std::string ResultsWindow::StatusText() const {
  if (!contents_.opened && contents_.records.empty()) return "Файл " + path_ + " не найден";
  std::string text =
      path_ + ": ставок " + std::to_string(contents_.records.size()) + ", показано " + std::to_string(shown_.size());
  if (contents_.unread_bytes > 0) text += "; не прочитано байт: " + std::to_string(contents_.unread_bytes);
  return text;
}

}  // namespace vantrope
