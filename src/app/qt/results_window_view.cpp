#include "app/qt/results_window_view.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QVBoxLayout>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QValueAxis>
#include <cmath>
#include <filesystem>

#include "app/qt/qt_text.h"
#include "results/results_text.h"

namespace vantrope {

namespace {

enum Column { kTime, kAccount, kPair, kPeriod, kDirection, kStake, kResult, kNet, kBalance, kStrategy, kColumns };
const char* const kHeaders[kColumns] = {"Время",  "Счёт", "Пара",        "Период",       "Направление",
                                        "Ставка", "Итог", "Итог ставки", "Баланс после", "Стратегия"};
const char* const kFigureHeaders[] = {"Ставок",
                                      "Выиграно",
                                      "Проиграно",
                                      "Доля выигрышей, %",
                                      "Итог",
                                      "Крупнейший выигрыш",
                                      "Крупнейший проигрыш",
                                      "Серия проигрышей",
                                      "Наибольшая просадка"};
// The date filters' lowest date stands for no limit.
const QDate kNoLimit(2000, 1, 1);
// Date-times count days from 30 December 1899.
const QDate kDayZero(1899, 12, 30);

double DayNumber(const QDate& date) { return static_cast<double>(kDayZero.daysTo(date)); }

// The axis shows local time: a record's local time is placed so that it shows
// as written. Reckoned without a time-zone lookup per point, which costs a
// file system call each.
qint64 ChartMs(double time, qint64 local_offset_ms) {
  constexpr double kUnixDayZero = 25569;  // 1 January 1970
  return static_cast<qint64>(std::llround((time - kUnixDayZero) * 86'400'000.0)) - local_offset_ms;
}

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

  auto* lower = new QSplitter(Qt::Horizontal, split);
  figures_ = new QTableWidget(0, static_cast<int>(std::size(kFigureHeaders)), lower);
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
  auto* time_axis = new QDateTimeAxis;
  time_axis->setFormat(QStringLiteral("yyyy-MM-dd"));
  auto* money_axis = new QValueAxis;
  chart->addAxis(time_axis, Qt::AlignBottom);
  chart->addAxis(money_axis, Qt::AlignLeft);
  for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(drawdown), static_cast<QAbstractSeries*>(balance_)}) {
    series->attachAxis(time_axis);
    series->attachAxis(money_axis);
  }
  chart_view_ = new QChartView(chart, lower);
  chart_view_->setRenderHint(QPainter::Antialiasing);
  // The figures table would take the whole width its columns ask for.
  lower->setSizes({450, 550});
  split->setSizes({350, 350});
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
  const qint64 local_offset_ms = QDateTime::currentDateTime().offsetFromUtc() * 1000LL;
  for (const EquityPoint& point : results_.Curve()) {
    const auto x = static_cast<qreal>(ChartMs(point.time, local_offset_ms));
    balance.append({x, point.balance});
    peak.append({x, point.peak});
    low = balance.size() == 1 ? point.balance : std::min(low, point.balance);
    high = balance.size() == 1 ? point.peak : std::max(high, point.peak);
  }
  balance_->replace(balance);
  peak_->replace(peak);
  QChart* chart = chart_view_->chart();
  if (!balance.isEmpty()) {
    const qreal margin = std::max<qreal>((high - low) * 0.05, 1);
    chart->axes(Qt::Vertical).first()->setRange(low - margin, high + margin);
    chart->axes(Qt::Horizontal)
        .first()
        ->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(balance.first().x())),
                   QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(balance.last().x()) + 1000));
  }
  const std::string currency = CommonCurrency(shown);
  chart->setTitle(ToQString("Баланс" + (currency.empty() ? std::string() : ", " + currency)));
  status_->setText(ToQString(results_.StatusText()));
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
