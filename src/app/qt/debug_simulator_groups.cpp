#include "app/qt/debug_simulator_groups.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>

#include "app/qt/debug_widgets.h"
#include "app/qt/model_binders.h"

namespace vantrope {

namespace {

constexpr int kAmountWidth = 100;
constexpr int kPeriodWidth = 60;
constexpr int kStakeWidth = 70;
constexpr int kPlusWidth = 28;
constexpr int kStateValueWidth = 110;

// The states a bet's amount belongs to.
constexpr int kWonState = 6;
constexpr int kLostState = 7;

QHBoxLayout* PlainRow() {
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(4);
  return row;
}

QHBoxLayout* ArrowPair(ArrowButtons& arrows, QWidget* parent) {
  QHBoxLayout* row = PlainRow();
  row->addWidget(ArrowButton(arrows.btArrowUp, parent));
  row->addWidget(ArrowButton(arrows.btArrowDown, parent));
  return row;
}

QDoubleSpinBox* NumberEditor(ui::NumberEdit& model, int width, QWidget* parent) {
  auto* editor = Bound<QDoubleSpinBox>(model, parent);
  editor->setFixedWidth(width);
  return editor;
}

}  // namespace

QGroupBox* ArrowSimulatorGroup(ArrowSimulator& simulator, QWidget* parent) {
  QHBoxLayout* row = GroupRow();
  QGroupBox* group = Group(simulator.gbSimulator, row, parent);
  row->addLayout(ArrowPair(simulator.arrows, group));
  row->addStretch(1);
  return group;
}

QGroupBox* SiteControlGroup(ManualBetButtons& bet, BetSelectors& selectors, QWidget* parent) {
  QGridLayout* grid = GroupGrid();
  QGroupBox* group = Group(bet.gbSiteControl, grid, parent);
  QHBoxLayout* expiry = PlainRow();
  expiry->addWidget(Bound<QComboBox>(selectors.cbeBetOnValutePair, group), 1);
  expiry->addWidget(NumberEditor(selectors.neBetOnBetPeriod, kPeriodWidth, group));
  expiry->addWidget(Bound<QComboBox>(selectors.cbeBetOnBetTimeCost, group));
  grid->addLayout(expiry, 0, 0, 1, 2);
  grid->addWidget(Bound<QLabel>(bet.lbStake, group), 1, 0);
  grid->addWidget(NumberEditor(selectors.neBetOnDebet, kStakeWidth, group), 1, 1, Qt::AlignLeft);
  grid->addWidget(Bound<QPushButton>(bet.btBetUp, group), 2, 0, 1, 2);
  grid->addWidget(Bound<QPushButton>(bet.btBetDown, group), 3, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(4, 1);
  return group;
}

QGroupBox* SiteSimulatorGroup(SiteSimulator& simulator, QWidget* parent) {
  QGridLayout* grid = GroupGrid();
  QGroupBox* group = Group(simulator.gbWebSim, grid, parent);
  const auto radios = StateRadios(simulator.states, group);
  for (int state = 0; state < kSiteStateCount; ++state) grid->addWidget(radios[state], state, 0);
  // The amount won or lost stands beside the two states it is for.
  grid->addWidget(NumberEditor(simulator.NumericEditor1, kAmountWidth, group), kWonState, 1, kLostState - kWonState + 1,
                  1, Qt::AlignVCenter);
  QHBoxLayout* calls = PlainRow();
  calls->addWidget(Bound<QPushButton>(simulator.Button9, group));
  calls->addWidget(Bound<QPushButton>(simulator.Button5, group));
  grid->addLayout(calls, kSiteStateCount, 0, 1, 2);
  grid->addWidget(Bound<QCheckBox>(simulator.CheckBox1, group), kSiteStateCount + 1, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  return group;
}

QGroupBox* RobotDebugGroupBox(RobotDebugGroup& robot, QWidget* parent) {
  QHBoxLayout* columns = GroupRow();
  auto* group = Bound<QGroupBox>(robot.gbRobotDebug, parent);
  group->setLayout(columns);

  auto* states = new QVBoxLayout;
  states->setSpacing(2);
  for (QRadioButton* radio : StateRadios(robot.states, group)) states->addWidget(radio);
  states->addStretch(1);
  columns->addLayout(states);

  auto* calls = new QVBoxLayout;
  calls->setSpacing(4);
  calls->addWidget(Bound<QPushButton>(robot.btCallRobot, group));
  calls->addWidget(Bound<QPushButton>(robot.btSiteUpdated, group));
  calls->addLayout(ArrowPair(robot.arrows, group));
  QHBoxLayout* top_up = PlainRow();
  top_up->addWidget(NumberEditor(robot.NumericEditor2, kAmountWidth, group));
  auto* plus = Bound<QPushButton>(robot.Button11, group);
  plus->setFixedWidth(kPlusWidth);
  top_up->addWidget(plus);
  top_up->addStretch(1);
  calls->addLayout(top_up);
  calls->addStretch(1);
  columns->addLayout(calls);

  auto* values = new QGridLayout;
  values->setHorizontalSpacing(6);
  values->setVerticalSpacing(2);
  for (size_t i = 0; i < kRobotStateNames.size(); ++i) {
    const int row = static_cast<int>(i);
    values->addWidget(FixedText(QString::fromLatin1(kRobotStateNames[i]), group), row, 0);
    QLabel* value = ValueField(robot.stState[i], group);
    value->setFixedWidth(kStateValueWidth);
    values->addWidget(value, row, 1);
  }
  values->setRowStretch(static_cast<int>(kRobotStateNames.size()), 1);
  columns->addLayout(values);
  columns->addStretch(1);
  return group;
}

}  // namespace vantrope
