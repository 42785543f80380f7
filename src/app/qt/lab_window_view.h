// The strategy lab's window: the strategies to compare, where the outcomes
// come from and the shared inputs on the left; the figures table, the fan
// chart of the balance paths and the histogram of the final balances on the
// right. A computation runs on a thread of its own while the window stays
// responsive, its progress polled.
#pragma once

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QtCharts/QChartView>
#include <array>
#include <future>

#include "app/qt/model_window.h"
#include "desktop/dialogs.h"
#include "lab/lab_window.h"

namespace vantrope {

class LabWindowView : public ModelWindow {
 public:
  LabWindowView(LabWindow& lab, Dialogs& dialogs);
  // A computation still running is given up and waited for.
  ~LabWindowView() override;

  QDoubleSpinBox& editor(LabField field) { return *editors_[static_cast<size_t>(field)]; }
  QListWidget& strategies() { return *strategies_; }
  QPushButton& compute() { return *compute_; }
  QTableWidget& figures() { return *figures_; }
  QChart& fan() { return *fan_view_->chart(); }
  QChart& histogram() { return *histogram_view_->chart(); }

 private:
  QWidget* BuildInputs();
  void Refresh();
  void RefreshStrategies();
  void FillFigures();
  void DrawFan();
  void DrawHistogram();
  void Compute();
  void Poll();
  void ChooseReplayFile();
  void ExportCsv();

  LabWindow& lab_;
  Dialogs& dialogs_;
  std::array<QDoubleSpinBox*, kLabFieldCount> editors_{};
  QListWidget* strategies_;
  QRadioButton* random_;
  QRadioButton* replay_;
  QLineEdit* replay_file_;
  QPushButton* choose_file_;
  QPushButton* compute_;
  QPushButton* cancel_;
  QProgressBar* progress_;
  QTableWidget* figures_;
  QChartView* fan_view_;
  QChartView* histogram_view_;
  QLabel* status_;
  QPushButton* export_csv_;
  QTimer poll_;
  std::future<LabOutcome> job_;
  // The model's outcome count the table and the charts show.
  int shown_count_ = -1;
};

}  // namespace vantrope
