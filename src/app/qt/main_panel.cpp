#include "app/qt/main_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/qt/button_pictures.h"
#include "app/qt/compact_widgets.h"
#include "app/qt/lamp.h"
#include "app/qt/log_grid_view.h"
#include "app/qt/logo_view.h"
#include "app/qt/page_tabs.h"
#include "app/qt/strategy_pages.h"

namespace vantrope {

namespace {

constexpr int kButtonHeight = 22;
constexpr int kPictureButtonWidth = 28;
constexpr int kMuteButtonSize = 23;
constexpr int kPeriodWidth = 36;
constexpr int kLogMinimumHeight = 60;

QHBoxLayout* Row() {
  auto* row = new QHBoxLayout;
  row->setSpacing(4);
  return row;
}

QGridLayout* Grid() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(kRowSpacing);
  return grid;
}

QPushButton* TextButton(ui::Button& model, QWidget* panel) {
  auto* button = Bound<QPushButton>(model, panel);
  button->setFixedHeight(kButtonHeight);
  return button;
}

QAbstractButton* PictureButton(ui::Button& model, const QIcon& picture, QWidget* parent) {
  auto* button = Bound<QToolButton>(model, parent);
  button->setIcon(picture);
  button->setFixedSize(kPictureButtonWidth, kButtonHeight);
  return button;
}

// The account with the logo to its right, then terminal control and the
// advance threshold.
QLayout* Account(TMainForm& f, QWidget* panel) {
  QGridLayout* fields = Grid();
  fields->setColumnStretch(1, 1);
  fields->addWidget(Caption(f.account.lbLogin, panel), 0, 0);
  fields->addWidget(NarrowList(f.account.cbeLogin, 80, panel), 0, 1);
  fields->addWidget(Caption(f.account.lbPassword, panel), 1, 0);
  fields->addWidget(Editor<QLineEdit>(f.account.tePassword, panel), 1, 1);
  fields->addWidget(Caption(f.account.lbStartBalanse, panel), 2, 0);
  fields->addWidget(Editor<QDoubleSpinBox>(f.account.neStartBalanse, panel), 2, 1);
  fields->addWidget(Caption(f.account.lbCurrentBalanse, panel), 3, 0);
  fields->addWidget(Editor<QDoubleSpinBox>(f.account.neCurrentBalanse, panel), 3, 1);
  fields->addWidget(Caption(f.account.lbWinBalanse, panel), 4, 0);
  fields->addWidget(Editor<QDoubleSpinBox>(f.account.neWinBalanse, panel), 4, 1);

  std::vector<ui::MenuItem*> logo_menu;
  for (ui::MenuItem& item : f.miSelectLogoPic) logo_menu.push_back(&item);
  auto* top = Row();
  top->addLayout(fields, 1);
  top->addWidget(new LogoView(f.imLogo, logo_menu, panel), 0, Qt::AlignTop);

  auto* terminal_and_greed = Row();
  terminal_and_greed->addWidget(Bound<QCheckBox>(f.cbAlpariSeek, panel), 1);
  auto* greed = TextButton(f.robot_controls.btGreed, panel);
  greed->setFixedWidth(60);
  terminal_and_greed->addWidget(greed);
  terminal_and_greed->addWidget(new Lamp(f.robot_controls.shGreed, panel));

  auto* account = new QVBoxLayout;
  account->setSpacing(kRowSpacing);
  account->addLayout(top);
  account->addLayout(terminal_and_greed);
  return account;
}

QLayout* WorkingHours(TMainForm& f, QWidget* panel) {
  auto* row = Row();
  row->addWidget(Bound<QCheckBox>(f.robot_controls.cbBetOnRobotWorkTime, panel));
  row->addStretch(1);
  row->addWidget(Caption(f.robot_controls.lbWorkFrom, panel));
  row->addWidget(NarrowList(f.robot_controls.cbeBetOnWorkStart, 62, panel));
  row->addWidget(Caption(f.robot_controls.lbWorkTo, panel));
  row->addWidget(NarrowList(f.robot_controls.cbeBetOnWorkEnd, 62, panel));
  return row;
}

QLayout* MinimumBalance(TMainForm& f, QWidget* panel) {
  auto* row = Row();
  row->addWidget(Caption(f.robot_controls.lbMinBalans, panel));
  row->addWidget(Editor<QDoubleSpinBox>(f.robot_controls.neMinBalans, panel), 1);
  return row;
}

QLayout* PairAndPeriod(TMainForm& f, QWidget* panel) {
  auto* row = Row();
  row->setSpacing(3);
  row->addWidget(Caption(f.lbValutePair, panel));
  row->addWidget(NarrowList(f.chart.cbeBetOnValutePair_, 74, panel), 1);
  row->addWidget(Caption(f.lbTimeFrame, panel));
  auto* period = Editor<QLineEdit>(f.chart.teBetOnBetPeriod_, panel);
  period->setFixedWidth(kPeriodWidth);
  row->addWidget(period);
  row->addWidget(NarrowList(f.chart.cbeBetOnBetTimeCost_, 68, panel), 1);
  return row;
}

QLayout* Lamps(TMainForm& f, QWidget* panel) {
  auto* grid = new QGridLayout;
  grid->setSpacing(0);
  grid->addWidget(new Lamp(f.robot_controls.shRobotReady, panel), 0, 0);
  grid->addWidget(new Lamp(f.shWebBrowserBusy, panel), 0, 1);
  grid->addWidget(new Lamp(f.shHtmlParser, panel), 1, 0);
  grid->addWidget(new Lamp(f.shWaitIndicator, panel), 1, 1);
  return grid;
}

// The continue button, with its twin drawn over it while the twin is shown.
QWidget* ContinueSlot(TMainForm& f, QWidget* panel) {
  auto* slot = new QWidget(panel);
  slot->setFixedSize(kPictureButtonWidth, kButtonHeight);
  PictureButton(f.robot_controls.btPause3, ContinuePicture(), slot);
  QAbstractButton* twin = PictureButton(f.robot_controls.btPause3Fon, ContinuePicture(), slot);
  twin->setStyleSheet(QStringLiteral("QToolButton { background: #FFD75E; border: 1px solid #C89B00; }"));
  twin->raise();
  return slot;
}

QLayout* RunControls(TMainForm& f, QWidget* panel) {
  auto* row = Row();
  row->addLayout(Lamps(f, panel));
  row->addSpacing(2);
  row->addWidget(TextButton(f.robot_controls.btRun, panel), 1);
  row->addWidget(PictureButton(f.robot_controls.btPause1, PauseAfterResultPicture(), panel));
  row->addWidget(PictureButton(f.robot_controls.btPause2, PauseAfterWinPicture(), panel));
  row->addWidget(ContinueSlot(f, panel));
  row->addWidget(TextButton(f.robot_controls.btStop, panel), 1);
  row->addSpacing(2);
  auto* mute = new QToolButton(panel);
  mute->setCheckable(true);
  mute->setIcon(MutePicture());
  mute->setFixedSize(kMuteButtonSize, kMuteButtonSize);
  Bind(*mute, f.btMute);
  row->addWidget(mute);
  return row;
}

QWidget* Strategies(TMainForm& f, QWidget* panel) {
  auto* down = new QWidget(panel);
  Observe<QWidget, ui::Panel>(*down, f.strategies.pnDown, [](QWidget& w, ui::Panel& m) { ApplyControl(w, m); });
  auto* layout = new QVBoxLayout(down);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new PageTabs(f.strategies.pcStrategy, BuildStrategyPages(f), down));
  return down;
}

QWidget* EventLogBox(TMainForm& f, QWidget* panel) {
  auto* box = Bound<QGroupBox>(f.gbLog, panel);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* grid = new LogGridView(f.event_log.gwLog,
                               {&f.event_log.miSaveLogAsText, &f.event_log.miHistory, &f.event_log.miLab}, box);
  grid->setMinimumHeight(kLogMinimumHeight);
  layout->addWidget(grid);
  return box;
}

}  // namespace

void FillMainPanel(TMainForm& f, QWidget& panel) {
  auto* column = new QVBoxLayout(&panel);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(kRowSpacing + 1);
  column->addLayout(Account(f, &panel));
  column->addLayout(WorkingHours(f, &panel));
  column->addLayout(MinimumBalance(f, &panel));
  column->addWidget(Editor<QLineEdit>(f.robot_controls.teSiteStatus, &panel));
  column->addLayout(PairAndPeriod(f, &panel));
  column->addLayout(RunControls(f, &panel));
  column->addWidget(Strategies(f, &panel));
  column->addWidget(EventLogBox(f, &panel), 1);
}

}  // namespace vantrope
