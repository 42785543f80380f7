// The results window: filters on top, the bets' table, their figures and
// the equity curve with its drawdown shaded, and the export buttons.
#pragma once

#include <QAbstractTableModel>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QTableView>
#include <QTableWidget>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>

#include "app/qt/model_window.h"
#include "desktop/dialogs.h"
#include "results/results_window.h"

namespace vantrope {

// The shown bets as rows, read from the window model when the view asks.
class BetTableModel : public QAbstractTableModel {
 public:
  explicit BetTableModel(ResultsWindow& results) : results_(results) {}
  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Reset();

 private:
  ResultsWindow& results_;
};

class ResultsWindowView : public ModelWindow {
 public:
  ResultsWindowView(ResultsWindow& results, Dialogs& dialogs);

  QTableView& table() { return *table_; }
  QTableWidget& figures() { return *figures_; }
  QLineSeries& balance() { return *balance_; }
  QChartView& chart() { return *chart_view_; }
  QCategoryAxis& time_axis() { return *time_axis_; }

 private:
  void Refresh();
  void FillChoices();
  void ApplyTimeAxis();
  void ApplyFilter();
  void ExportCsv();
  void SavePicture();

  ResultsWindow& results_;
  Dialogs& dialogs_;
  BetTableModel rows_;
  QDateEdit* from_;
  QDateEdit* to_;
  QComboBox* pair_;
  QComboBox* strategy_;
  QTableView* table_;
  QTableWidget* figures_;
  QChartView* chart_view_;
  QCategoryAxis* time_axis_;
  QLineSeries* balance_;
  QLineSeries* peak_;
  QLabel* status_;
  bool filling_ = false;
};

}  // namespace vantrope
