#include "app/qt/debug_terminal_page.h"

#include "app/qt/debug_simulator_groups.h"
#include "app/qt/debug_widgets.h"
#include "app/qt/model_binders.h"
#include "app/qt/picture_view.h"

namespace vantrope {

namespace {

constexpr int kStripToPanels = 12;
constexpr qreal kArrowSymbolPointSize = 16;

const QColor kUpArrowColour(0, 160, 0);
const QColor kDownArrowColour(220, 0, 0);

QGroupBox* TerminalControlGroup(TerminalCaptions& captions, TerminalView& terminal, QWidget* parent) {
  QGridLayout* grid = GroupGrid();
  QGroupBox* group = Group(captions.gbTerminalControl, grid, parent);
  const auto pair = [&](int row, int col, ui::Label& label, ui::Label& value, bool bold = false, int span = 1) {
    grid->addWidget(Bound<QLabel>(label, group), row, col);
    grid->addWidget(ValueField(value, group, bold), row, col + 1, 1, span);
  };
  pair(0, 0, captions.lbName, terminal.stTermName, false, 7);
  pair(1, 0, captions.lbHandle, terminal.stTermHandle, true);
  pair(1, 2, captions.lbValute, terminal.stTermValute, true);
  pair(2, 0, captions.lbPosX, terminal.stTermPosX);
  pair(2, 2, captions.lbPosY, terminal.stTermPosY);
  pair(2, 4, captions.lbWidth, terminal.stTermWidth);
  pair(2, 6, captions.lbHeight, terminal.stTermHeight);
  for (int col : {1, 3, 5, 7}) grid->setColumnStretch(col, 1);
  return group;
}

QGroupBox* StripGroup(ui::Label& caption, ui::PictureBox& strip, QWidget* parent) {
  // The group is as wide as the whole strip within its frame.
  auto* column = new QVBoxLayout;
  column->setContentsMargins(0, 0, 0, 0);
  QGroupBox* group = Group(caption, column, parent);
  group->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  auto* picture = new PictureView(strip, group);
  picture->setFixedWidth(TerminalState::SnapshotStripWidth);
  column->addWidget(picture, 1);
  return group;
}

QLabel* ArrowSymbol(const QString& symbol, const QColor& colour, QWidget* parent) {
  QLabel* label = FixedText(symbol, parent);
  QFont font = label->font();
  font.setPointSizeF(kArrowSymbolPointSize);
  font.setBold(true);
  label->setFont(font);
  QPalette colours = label->palette();
  colours.setColor(QPalette::WindowText, colour);
  label->setPalette(colours);
  return label;
}

QGroupBox* SearchImagesPanel(TerminalCaptions& captions, TerminalView& terminal, QWidget* parent) {
  QGridLayout* grid = GroupGrid();
  QGroupBox* panel = Group(captions.pnSearchImages, grid, parent);
  grid->addWidget(ArrowSymbol(QStringLiteral("⇧"), kUpArrowColour, panel), 0, 0);
  grid->addWidget(Bound<QLabel>(terminal.lbArrowUpFound, panel), 0, 1);
  grid->addWidget(ArrowSymbol(QStringLiteral("⇩"), kDownArrowColour, panel), 1, 0);
  grid->addWidget(Bound<QLabel>(terminal.lbArrowDownFound, panel), 1, 1);
  grid->addWidget(Bound<QLabel>(captions.lbSnapTime, panel), 2, 0, 1, 2);
  grid->addWidget(ValueField(terminal.stSnapTime, panel), 3, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(4, 1);
  return panel;
}

}  // namespace

QWidget* BuildTerminalPage(TfmDebug& debug) {
  auto* page = new QWidget;
  auto* rows = new QVBoxLayout(page);
  rows->setContentsMargins(6, 6, 6, 6);
  rows->setSpacing(6);
  rows->addWidget(TerminalControlGroup(debug.captions, debug.terminal, page));

  auto* lower = new QHBoxLayout;
  lower->setSpacing(kStripToPanels);
  lower->addWidget(StripGroup(debug.captions.gbTerminal, debug.terminal.Image1, page));

  auto* panels = new QGridLayout;
  panels->setSpacing(6);
  panels->addWidget(SearchImagesPanel(debug.captions, debug.terminal, page), 0, 0);
  panels->addWidget(ArrowSimulatorGroup(debug.arrow_simulator, page), 0, 1);
  panels->addWidget(SiteControlGroup(debug.manual_bet, debug.site_control, page), 1, 0);
  panels->addWidget(SiteSimulatorGroup(debug.site_simulator, page), 1, 1);
  panels->setColumnStretch(0, 1);
  panels->setColumnStretch(1, 1);
  panels->setRowStretch(2, 1);
  lower->addLayout(panels, 1);
  rows->addLayout(lower, 1);
  return page;
}

}  // namespace vantrope
