#include "app/qt/lab_window_view.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QVBoxLayout>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <filesystem>

#include "app/qt/qt_text.h"

namespace vantrope {

namespace {

constexpr int kPollMs = 100;
// The fan's lines by their place in kLabPercentiles: 5, 25, 50, 75 and 95 %.
constexpr size_t kLowest = 0, kLowerQuarter = 1, kMedian = 2, kUpperQuarter = 3, kHighest = 4;
// A colour for each strategy side by side.
const std::array<QColor, 6> kPalette = {QColor(32, 102, 200), QColor(230, 120, 20), QColor(40, 150, 60),
                                        QColor(200, 40, 40),  QColor(130, 70, 170), QColor(120, 90, 60)};

QColor Shade(const QColor& colour, int alpha) {
  QColor shaded = colour;
  shaded.setAlpha(alpha);
  return shaded;
}

QChart* NewChart(const QString& title) {
  auto* chart = new QChart;
  chart->setTitle(title);
  chart->legend()->setAlignment(Qt::AlignBottom);
  return chart;
}

template <typename Axis>
Axis* AxisOf(QChart& chart, Qt::Orientation orientation) {
  return static_cast<Axis*>(chart.axes(orientation).first());
}

// The band between two of the fan's lines.
QAreaSeries* Band(const std::vector<LabBand>& bands, size_t low, size_t high, const QColor& colour) {
  auto* area = new QAreaSeries;
  auto* upper = new QLineSeries(area);
  auto* lower = new QLineSeries(area);
  for (const LabBand& band : bands) {
    upper->append(band.bet, band.balance[high]);
    lower->append(band.bet, band.balance[low]);
  }
  area->setUpperSeries(upper);
  area->setLowerSeries(lower);
  area->setColor(colour);
  area->setBorderColor(Qt::transparent);
  return area;
}

}  // namespace

LabWindowView::LabWindowView(LabWindow& lab, Dialogs& dialogs)
    : ModelWindow(lab.Form,
                  [&lab] {
                    lab.Form.SetVisible(false);
                    return true;
                  }),
      lab_(lab),
      dialogs_(dialogs) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetNoConstraint);
  auto* columns = new QHBoxLayout;
  columns->addWidget(BuildInputs());

  auto* split = new QSplitter(Qt::Vertical, this);
  figures_ = new QTableWidget(split);
  figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  figures_->verticalHeader()->setDefaultSectionSize(18);
  figures_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  auto* charts = new QSplitter(Qt::Horizontal, split);

  QChart* fan = NewChart(QStringLiteral("Баланс по ставкам: медиана, 25–75 % и 5–95 % прогонов"));
  auto* bet_axis = new QValueAxis;
  bet_axis->setTitleText(QStringLiteral("Ставка"));
  bet_axis->setLabelFormat(QStringLiteral("%d"));
  fan->addAxis(bet_axis, Qt::AlignBottom);
  auto* balance_axis = new QValueAxis;
  balance_axis->setLabelFormat(QStringLiteral("%.0f"));
  fan->addAxis(balance_axis, Qt::AlignLeft);
  fan_view_ = new QChartView(fan, charts);
  fan_view_->setRenderHint(QPainter::Antialiasing);

  QChart* histogram = NewChart(QStringLiteral("Итоговый баланс: число прогонов"));
  auto* final_axis = new QValueAxis;
  final_axis->setTitleText(QStringLiteral("Итоговый баланс"));
  final_axis->setLabelFormat(QStringLiteral("%.0f"));
  histogram->addAxis(final_axis, Qt::AlignBottom);
  auto* runs_axis = new QValueAxis;
  runs_axis->setLabelFormat(QStringLiteral("%d"));
  histogram->addAxis(runs_axis, Qt::AlignLeft);
  histogram_view_ = new QChartView(histogram, charts);
  histogram_view_->setRenderHint(QPainter::Antialiasing);
  split->setSizes({300, 420});
  columns->addWidget(split, 1);
  layout->addLayout(columns, 1);

  auto* bottom = new QHBoxLayout;
  status_ = new QLabel(this);
  status_->setWordWrap(true);
  export_csv_ = new QPushButton(QStringLiteral("Сохранить CSV…"), this);
  connect(export_csv_, &QPushButton::clicked, this, [this] { ExportCsv(); });
  bottom->addWidget(status_, 1);
  bottom->addWidget(export_csv_);
  layout->addLayout(bottom);

  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, [this] { Poll(); });
  lab_.SetObserver([this] { Refresh(); });
  Refresh();
}

LabWindowView::~LabWindowView() {
  lab_.SetObserver(nullptr);
  if (!job_.valid()) return;
  lab_.Cancel();
  lab_.Show(job_.get());
}

QWidget* LabWindowView::BuildInputs() {
  auto* panel = new QWidget(this);
  panel->setFixedWidth(330);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* chosen = new QGroupBox(QStringLiteral("Стратегии (отмеченные — рядом)"), panel);
  auto* chosen_layout = new QVBoxLayout(chosen);
  strategies_ = new QListWidget(chosen);
  strategies_->setMaximumHeight(130);
  connect(strategies_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    lab_.SetChosen(static_cast<uint8_t>(item->data(Qt::UserRole).toInt()), item->checkState() == Qt::Checked);
  });
  chosen_layout->addWidget(strategies_);
  layout->addWidget(chosen);

  auto* outcomes = new QGroupBox(QStringLiteral("Исходы ставок"), panel);
  auto* outcomes_layout = new QVBoxLayout(outcomes);
  random_ = new QRadioButton(QStringLiteral("Случайные (Монте-Карло)"), outcomes);
  replay_ = new QRadioButton(QStringLiteral("Ставки из файла истории:"), outcomes);
  auto* group = new QButtonGroup(outcomes);
  group->addButton(random_);
  group->addButton(replay_);
  connect(replay_, &QRadioButton::toggled, this, [this](bool on) { lab_.SetReplay(on); });
  auto* file_line = new QHBoxLayout;
  replay_file_ = new QLineEdit(outcomes);
  connect(replay_file_, &QLineEdit::editingFinished, this,
          [this] { lab_.SetReplayFile(ToStdString(replay_file_->text())); });
  choose_file_ = new QPushButton(QStringLiteral("Выбрать…"), outcomes);
  connect(choose_file_, &QPushButton::clicked, this, [this] { ChooseReplayFile(); });
  file_line->addWidget(replay_file_, 1);
  file_line->addWidget(choose_file_);
  outcomes_layout->addWidget(random_);
  outcomes_layout->addWidget(replay_);
  outcomes_layout->addLayout(file_line);
  layout->addWidget(outcomes);

  auto* values = new QGroupBox(QStringLiteral("Условия"), panel);
  auto* form = new QFormLayout(values);
  for (const LabInputField& field : LabInputFields()) {
    auto* editor = new QDoubleSpinBox(values);
    editor->setRange(field.low, field.high);
    editor->setDecimals(field.decimals);
    editor->setSuffix(QString::fromUtf8(field.suffix));
    editor->setSpecialValueText(QString::fromUtf8(field.none_text));
    // The model takes a value once it is typed in, not at every key.
    editor->setKeyboardTracking(false);
    const LabField which = field.field;
    connect(editor, &QDoubleSpinBox::valueChanged, this, [this, which](double value) { lab_.SetValue(which, value); });
    editors_[static_cast<size_t>(which)] = editor;
    form->addRow(QString::fromUtf8(field.caption), editor);
  }
  layout->addWidget(values);

  auto* run_line = new QHBoxLayout;
  compute_ = new QPushButton(QStringLiteral("Рассчитать"), panel);
  cancel_ = new QPushButton(QStringLiteral("Отменить"), panel);
  connect(compute_, &QPushButton::clicked, this, [this] { Compute(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { lab_.Cancel(); });
  run_line->addWidget(compute_, 1);
  run_line->addWidget(cancel_);
  layout->addLayout(run_line);
  progress_ = new QProgressBar(panel);
  layout->addWidget(progress_);
  layout->addStretch();
  return panel;
}

void LabWindowView::Refresh() {
  const bool idle = !lab_.Computing();
  for (const LabInputField& field : LabInputFields()) {
    QDoubleSpinBox& box = editor(field.field);
    // Setting the value it has would still write its text again, under the user's cursor.
    if (box.value() != lab_.Value(field.field)) {
      const QSignalBlocker quiet(box);
      box.setValue(lab_.Value(field.field));
    }
    box.setEnabled(lab_.Editable(field.field));
  }
  RefreshStrategies();
  strategies_->setEnabled(idle);
  {
    const QSignalBlocker quiet(replay_);
    (lab_.Replay() ? replay_ : random_)->setChecked(true);
  }
  random_->setEnabled(idle);
  replay_->setEnabled(idle);
  if (replay_file_->text() != ToQString(lab_.ReplayFile())) replay_file_->setText(ToQString(lab_.ReplayFile()));
  replay_file_->setEnabled(idle && lab_.Replay());
  choose_file_->setEnabled(idle);
  compute_->setEnabled(idle);
  cancel_->setVisible(!idle);
  progress_->setVisible(!idle);
  progress_->setRange(0, std::max(1, lab_.RunsToCompute()));
  export_csv_->setEnabled(idle && !lab_.Columns().empty());
  status_->setText(ToQString(lab_.StatusText()));
  if (shown_count_ != lab_.ShownCount()) {
    shown_count_ = lab_.ShownCount();
    FillFigures();
    DrawFan();
    DrawHistogram();
  }
}

void LabWindowView::RefreshStrategies() {
  const QSignalBlocker quiet(strategies_);
  const std::vector<LabStrategyChoice>& offered = lab_.Offered().strategies;
  while (strategies_->count() < static_cast<int>(offered.size()))
    (new QListWidgetItem(strategies_))->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
  while (strategies_->count() > static_cast<int>(offered.size()))
    delete strategies_->takeItem(strategies_->count() - 1);
  for (size_t i = 0; i < offered.size(); ++i) {
    QListWidgetItem* item = strategies_->item(static_cast<int>(i));
    item->setText(ToQString(offered[i].name));
    item->setData(Qt::UserRole, offered[i].page);
    item->setCheckState(lab_.Chosen(offered[i].page) ? Qt::Checked : Qt::Unchecked);
  }
}

// One column a strategy; the first row of the core's table names them.
void LabWindowView::FillFigures() {
  const std::vector<std::vector<std::string>> rows = LabFigureRows(lab_.Columns());
  const int columns = static_cast<int>(lab_.Columns().size());
  figures_->clear();
  figures_->setColumnCount(columns);
  figures_->setRowCount(columns == 0 ? 0 : static_cast<int>(rows.size()) - 1);
  if (columns == 0) return;
  for (int col = 0; col < columns; ++col)
    figures_->setHorizontalHeaderItem(col, new QTableWidgetItem(ToQString(rows[0][static_cast<size_t>(col) + 1])));
  for (size_t row = 1; row < rows.size(); ++row) {
    const int at = static_cast<int>(row) - 1;
    figures_->setVerticalHeaderItem(at, new QTableWidgetItem(ToQString(rows[row][0])));
    for (int col = 0; col < columns; ++col) {
      auto* cell = new QTableWidgetItem(ToQString(rows[row][static_cast<size_t>(col) + 1]));
      cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      figures_->setItem(at, col, cell);
    }
  }
}

// Each strategy in its colour: the median as a line, the middle half of the
// runs and all but the outer tenth as bands around it.
void LabWindowView::DrawFan() {
  QChart& chart = fan();
  chart.removeAllSeries();
  auto* bets = AxisOf<QValueAxis>(chart, Qt::Horizontal);
  auto* balance = AxisOf<QValueAxis>(chart, Qt::Vertical);
  double low = 0, high = 0, last_bet = 0;
  bool first = true;
  for (size_t i = 0; i < lab_.Charts().size(); ++i) {
    const std::vector<LabBand>& bands = lab_.Charts()[i].bands;
    const QColor colour = kPalette[i % kPalette.size()];
    auto* median = new QLineSeries;
    median->setName(ToQString(lab_.Columns()[i].name));
    median->setPen(QPen(colour, 2));
    for (const LabBand& band : bands) {
      median->append(band.bet, band.balance[kMedian]);
      low = first ? band.balance[kLowest] : std::min(low, band.balance[kLowest]);
      high = first ? band.balance[kHighest] : std::max(high, band.balance[kHighest]);
      last_bet = std::max(last_bet, static_cast<double>(band.bet));
      first = false;
    }
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(Band(bands, kLowest, kHighest, Shade(colour, 45))),
          static_cast<QAbstractSeries*>(Band(bands, kLowerQuarter, kUpperQuarter, Shade(colour, 90))),
          static_cast<QAbstractSeries*>(median)}) {
      chart.addSeries(series);
      series->attachAxis(bets);
      series->attachAxis(balance);
      // The legend names the strategies, by their medians.
      if (series != median)
        for (QLegendMarker* marker : chart.legend()->markers(series)) marker->setVisible(false);
    }
  }
  if (first) return;
  // Runs that all end alike still get a range to draw in.
  const double pad = high > low ? 0 : 1;
  bets->setRange(0, std::max(last_bet, 1.0));
  balance->setRange(low - pad, high + pad);
  balance->applyNiceNumbers();
}

// Each strategy's bins as steps in its colour, over the one range they share.
void LabWindowView::DrawHistogram() {
  QChart& chart = histogram();
  chart.removeAllSeries();
  auto* balance = AxisOf<QValueAxis>(chart, Qt::Horizontal);
  auto* runs = AxisOf<QValueAxis>(chart, Qt::Vertical);
  if (lab_.Charts().empty()) return;
  int most = 1;
  for (size_t i = 0; i < lab_.Charts().size(); ++i) {
    const LabHistogram& bins = lab_.Charts()[i].histogram;
    const QColor colour = kPalette[i % kPalette.size()];
    auto* steps = new QAreaSeries;
    auto* tops = new QLineSeries(steps);
    for (size_t bin = 0; bin < bins.counts.size(); ++bin) {
      const double left = bins.from + static_cast<double>(bin) * bins.width;
      tops->append(left, bins.counts[bin]);
      tops->append(left + bins.width, bins.counts[bin]);
      most = std::max(most, bins.counts[bin]);
    }
    steps->setUpperSeries(tops);
    steps->setName(ToQString(lab_.Columns()[i].name));
    steps->setColor(Shade(colour, 110));
    steps->setBorderColor(colour);
    chart.addSeries(steps);
    steps->attachAxis(balance);
    steps->attachAxis(runs);
  }
  const LabHistogram& range = lab_.Charts().front().histogram;
  balance->setRange(range.from, range.from + range.width * static_cast<double>(range.counts.size()));
  balance->applyNiceNumbers();
  runs->setRange(0, most);
  runs->applyNiceNumbers();
}

void LabWindowView::Compute() {
  std::optional<LabJob> job = lab_.Start();
  if (!job) return;
  job_ = std::async(std::launch::async, [job = std::move(*job), &progress = lab_.Progress()]() mutable {
    return RunLabJob(std::move(job), progress);
  });
  progress_->setValue(0);
  poll_.start();
}

void LabWindowView::Poll() {
  progress_->setValue(lab_.Progress().runs_done.load(std::memory_order_relaxed));
  if (job_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
  poll_.stop();
  lab_.Show(job_.get());
}

void LabWindowView::ChooseReplayFile() {
  const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Файл истории"), ToQString(lab_.ReplayFile()),
                                                    QStringLiteral("История ставок (*.dat);;Все файлы (*)"));
  if (path.isEmpty()) return;
  lab_.SetReplayFile(ToStdString(path));
  lab_.SetReplay(true);
}

void LabWindowView::ExportCsv() {
  const std::optional<std::string> path = dialogs_.AskSaveFileName("CSV|*.csv", "Сохранить CSV");
  if (!path) return;
  std::string file = *path;
  if (std::filesystem::path(file).extension().empty()) file += ".csv";
  if (const std::optional<std::string> error = lab_.ExportCsv(file))
    dialogs_.MessageBox("Vantrope", *error, DialogKind::Error, {DialogButton::Ok}, {});
}

}  // namespace vantrope
