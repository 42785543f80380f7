#include "app/qt/results_window_view.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QVBoxLayout>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QValueAxis>
#include <filesystem>

#include "app/qt/qt_text.h"
#include "results/results_text.h"
#include "results/time_axis.h"

namespace vantrope {

namespace {

enum Column { kTime, kAccount, kPair, kPeriod, kDirection, kStake, kResult, kNet, kBalance, kStrategy, kColumns };
const char* const kHeaders[kColumns] = {"Время",  "Счёт", "Пара",        "Период",       "Направление",
                                        "Ставка", "Итог", "Итог ставки", "Баланс после", "Стратегия"};
// On two lines, so that every column fits the window's width.
const char* const kFigureHeaders[] = {"Ставок",
                                      "Выиграно",
                                      "Проиграно",
                                      "Доля\nвыигрышей, %",
                                      "Итог",
                                      "Крупнейший\nвыигрыш",
                                      "Крупнейший\nпроигрыш",
                                      "Серия\nпроигрышей",
                                      "Наибольшая\nпросадка"};
// The space a time label wants beside its text, in pixels.
constexpr qreal kTimeLabelPadding = 8;
// The date filters' lowest date stands for no limit.
const QDate kNoLimit(2000, 1, 1);
// Date-times count days from 30 December 1899.
const QDate kDayZero(1899, 12, 30);

double DayNumber(const QDate& date) { return static_cast<double>(kDayZero.daysTo(date)); }

QStringList FigureCells(const BetFigures& f) {
  return {QString::number(f.count),
          QString::number(f.won),
          QString::number(f.lost),
          ToQString(MoneyText(f.win_rate)),
          ToQString(MoneyText(f.net)),
          ToQString(MoneyText(f.largest_win)),
          ToQString(MoneyText(f.largest_loss)),
          QString::number(f.longest_losing_streak),
          ToQString(MoneyText(f.max_drawdown))};
}

}  // namespace

int BetTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(results_.Shown().size());
}

int BetTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

// Numbers go to the sort as numbers, text as text.
QVariant BetTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::UserRole)) return {};
  const THistoryRecord& bet = *results_.Shown()[static_cast<size_t>(index.row())];
  const bool sort = role == Qt::UserRole;
  switch (index.column()) {
    case kTime:
      return sort ? QVariant(bet.Time) : QVariant(ToQString(BetTimeText(bet.Time)));
    case kAccount:
      return ToQString(bet.Account);
    case kPair:
      return ToQString(bet.Pair);
    case kPeriod:
      return ToQString(bet.Period);
    case kDirection:
      return ToQString(DirectionName(bet.Direction));
    case kStake:
      return bet.Stake;
    case kResult:
      return ToQString(ResultName(bet.Result));
    case kNet:
      return sort ? QVariant(BetResult(bet)) : QVariant(ToQString(MoneyText(BetResult(bet))));
    case kBalance:
      return sort ? QVariant(bet.BalanceAtResult) : QVariant(ToQString(MoneyText(bet.BalanceAtResult)));
    case kStrategy:
      return ToQString(StrategyName(bet.Strategy));
    default:
      return {};
  }
}

QVariant BetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= kColumns) return {};
  return QString::fromUtf8(kHeaders[section]);
}

void BetTableModel::Reset() {
  beginResetModel();
  endResetModel();
}

ResultsWindowView::ResultsWindowView(ResultsWindow& results, Dialogs& dialogs)
    : ModelWindow(results.Form,
                  [&results] {
                    results.Form.SetVisible(false);
                    return true;
                  }),
      results_(results),
      dialogs_(dialogs),
      rows_(results) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetNoConstraint);

  auto* filters = new QHBoxLayout;
  from_ = new QDateEdit(this);
  to_ = new QDateEdit(this);
  for (QDateEdit* date : {from_, to_}) {
    date->setCalendarPopup(true);
    date->setMinimumDate(kNoLimit);
    date->setSpecialValueText(QStringLiteral("—"));
    date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    date->setDate(kNoLimit);
    connect(date, &QDateEdit::dateChanged, this, [this] { ApplyFilter(); });
  }
  pair_ = new QComboBox(this);
  strategy_ = new QComboBox(this);
  for (QComboBox* box : {pair_, strategy_})
    connect(box, &QComboBox::currentIndexChanged, this, [this] { ApplyFilter(); });
  filters->addWidget(new QLabel(QStringLiteral("С"), this));
  filters->addWidget(from_);
  filters->addWidget(new QLabel(QStringLiteral("по"), this));
  filters->addWidget(to_);
  filters->addWidget(new QLabel(QStringLiteral("Пара"), this));
  filters->addWidget(pair_);
  filters->addWidget(new QLabel(QStringLiteral("Стратегия"), this));
  filters->addWidget(strategy_);
  filters->addStretch();
  layout->addLayout(filters);

  auto* split = new QSplitter(Qt::Vertical, this);
  auto* sorted = new QSortFilterProxyModel(this);
  sorted->setSourceModel(&rows_);
  sorted->setSortRole(Qt::UserRole);
  table_ = new QTableView(split);
  table_->setModel(sorted);
  table_->setSortingEnabled(true);
  table_->sortByColumn(kTime, Qt::AscendingOrder);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->setDefaultSectionSize(18);
  table_->verticalHeader()->hide();
  // Sized by the rows in view, not by every row of a long history.
  table_->horizontalHeader()->setResizeContentsPrecision(100);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);

  // The figures below the bets, as wide as the window, so that none of their
  // columns hides; the curve below them, as wide as the window too.
  figures_ = new QTableWidget(0, static_cast<int>(std::size(kFigureHeaders)), split);
  QStringList figure_headers;
  for (const char* header : kFigureHeaders) figure_headers << QString::fromUtf8(header);
  figures_->setHorizontalHeaderLabels(figure_headers);
  figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  figures_->verticalHeader()->setDefaultSectionSize(18);
  figures_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

  balance_ = new QLineSeries;
  peak_ = new QLineSeries;
  auto* drawdown = new QAreaSeries(peak_, balance_);
  drawdown->setName(QStringLiteral("Просадка"));
  drawdown->setColor(QColor(255, 128, 128, 110));
  drawdown->setBorderColor(Qt::transparent);
  balance_->setName(QStringLiteral("Баланс"));
  auto* chart = new QChart;
  chart->addSeries(drawdown);
  chart->addSeries(balance_);
  // The bets' own times (days), labelled by the core: no time zone comes
  // between them and the labels.
  time_axis_ = new QCategoryAxis;
  time_axis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  auto* money_axis = new QValueAxis;
  chart->addAxis(time_axis_, Qt::AlignBottom);
  chart->addAxis(money_axis, Qt::AlignLeft);
  for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(drawdown), static_cast<QAbstractSeries*>(balance_)}) {
    series->attachAxis(time_axis_);
    series->attachAxis(money_axis);
  }
  // Beside a chart as wide as the window, the legend leaves the curve its height.
  chart->legend()->setAlignment(Qt::AlignRight);
  chart_view_ = new QChartView(chart, split);
  chart_view_->setRenderHint(QPainter::Antialiasing);
  connect(chart, &QChart::plotAreaChanged, this, [this] { ApplyTimeAxis(); });
  // Room for the figures of three pairs and three strategies.
  split->setSizes({200, 165, 235});
  layout->addWidget(split, 1);

  auto* bottom = new QHBoxLayout;
  status_ = new QLabel(this);
  auto* export_csv = new QPushButton(QStringLiteral("Экспорт в CSV..."), this);
  auto* save_picture = new QPushButton(QStringLiteral("Сохранить график (PNG)..."), this);
  connect(export_csv, &QPushButton::clicked, this, [this] { ExportCsv(); });
  connect(save_picture, &QPushButton::clicked, this, [this] { SavePicture(); });
  bottom->addWidget(status_, 1);
  bottom->addWidget(export_csv);
  bottom->addWidget(save_picture);
  layout->addLayout(bottom);

  results_.SetObserver([this] { Refresh(); });
  Refresh();
}

// The filters' choices come from the whole file; what is chosen stays chosen.
void ResultsWindowView::FillChoices() {
  filling_ = true;
  const QString pair = pair_->currentData().toString();
  pair_->clear();
  pair_->addItem(QStringLiteral("Все пары"), QString());
  for (const std::string& name : results_.Pairs()) pair_->addItem(ToQString(name), ToQString(name));
  pair_->setCurrentIndex(std::max(0, pair_->findData(pair)));
  const int strategy = strategy_->currentIndex() > 0 ? strategy_->currentData().toInt() : -1;
  strategy_->clear();
  strategy_->addItem(QStringLiteral("Все стратегии"), -1);
  for (int index : results_.Strategies()) strategy_->addItem(ToQString(StrategyName(index)), index);
  strategy_->setCurrentIndex(std::max(0, strategy_->findData(strategy)));
  filling_ = false;
}

void ResultsWindowView::ApplyFilter() {
  if (filling_) return;
  HistoryFilter filter;
  filter.from = from_->date() == kNoLimit ? 0 : DayNumber(from_->date());
  filter.to = to_->date() == kNoLimit ? 0 : DayNumber(to_->date());
  filter.pair = ToStdString(pair_->currentData().toString());
  filter.strategy = strategy_->currentData().toInt();
  results_.SetFilter(filter);
}

void ResultsWindowView::Refresh() {
  FillChoices();
  rows_.Reset();
  const std::vector<const THistoryRecord*>& shown = results_.Shown();

  figures_->setRowCount(0);
  const auto add_row = [this](const QString& name, const BetFigures& figures) {
    const int row = figures_->rowCount();
    figures_->insertRow(row);
    figures_->setVerticalHeaderItem(row, new QTableWidgetItem(name));
    const QStringList cells = FigureCells(figures);
    for (int col = 0; col < cells.size(); ++col) figures_->setItem(row, col, new QTableWidgetItem(cells[col]));
  };
  add_row(QStringLiteral("Все"), results_.Figures());
  for (const auto& [pair, figures] : FiguresByPair(shown)) add_row(ToQString(pair), figures);
  for (const auto& [strategy, figures] : FiguresByStrategy(shown)) add_row(ToQString(StrategyName(strategy)), figures);

  QList<QPointF> balance, peak;
  balance.reserve(static_cast<qsizetype>(results_.Curve().size()));
  peak.reserve(balance.capacity());
  double low = 0, high = 0;
  for (const EquityPoint& point : results_.Curve()) {
    balance.append({point.time, point.balance});
    peak.append({point.time, point.peak});
    low = balance.size() == 1 ? point.balance : std::min(low, point.balance);
    high = balance.size() == 1 ? point.peak : std::max(high, point.peak);
  }
  balance_->replace(balance);
  peak_->replace(peak);
  QChart* chart = chart_view_->chart();
  if (!balance.isEmpty()) {
    const qreal margin = std::max<qreal>((high - low) * 0.05, 1);
    chart->axes(Qt::Vertical).first()->setRange(low - margin, high + margin);
  }
  ApplyTimeAxis();
  const std::string currency = CommonCurrency(shown);
  chart->setTitle(ToQString("Баланс" + (currency.empty() ? std::string() : ", " + currency)));
  status_->setText(ToQString(results_.StatusText()));
}

// As many time labels as the plot's width holds whole: again when it changes.
void ResultsWindowView::ApplyTimeAxis() {
  const std::vector<EquityPoint>& curve = results_.Curve();
  TimeAxis axis;
  if (!curve.empty()) {
    const QFontMetricsF metrics(time_axis_->labelsFont());
    axis = FitTimeAxis(curve.front().time, curve.back().time, chart_view_->chart()->plotArea().width(),
                       [&metrics](const std::string& label) {
                         return metrics.horizontalAdvance(ToQString(label)) + kTimeLabelPadding;
                       });
  }
  QStringList labels;
  for (const TimeTick& tick : axis.ticks) labels << ToQString(tick.label);
  // Unchanged labels leave the plot area as it is, which ends the round.
  if (labels == time_axis_->categoriesLabels() &&
      (curve.empty() || (time_axis_->min() == axis.from && time_axis_->max() == axis.to)))
    return;
  for (const QString& label : time_axis_->categoriesLabels()) time_axis_->remove(label);
  if (curve.empty()) return;
  time_axis_->setStartValue(axis.from);
  for (const TimeTick& tick : axis.ticks) time_axis_->append(ToQString(tick.label), tick.time);
  time_axis_->setRange(axis.from, axis.to);
}

void ResultsWindowView::ExportCsv() {
  const std::optional<std::string> path = dialogs_.AskSaveFileName("CSV|*.csv", "Экспорт в CSV");
  if (!path) return;
  std::string file = *path;
  if (std::filesystem::path(file).extension().empty()) file += ".csv";
  if (const std::optional<std::string> error = results_.ExportCsv(file))
    dialogs_.MessageBox("Vantrope", *error, DialogKind::Error, {DialogButton::Ok}, {});
}

void ResultsWindowView::SavePicture() {
  const std::optional<std::string> path = dialogs_.AskSaveFileName("PNG|*.png", "Сохранить график");
  if (!path) return;
  std::string file = *path;
  if (std::filesystem::path(file).extension().empty()) file += ".png";
  if (!chart_view_->grab().save(ToQString(file), "PNG"))
    dialogs_.MessageBox("Vantrope", "Unable to write to " + file, DialogKind::Error, {DialogButton::Ok}, {});
}

}  // namespace vantrope
