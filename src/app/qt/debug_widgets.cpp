#include "app/qt/debug_widgets.h"

#include <QButtonGroup>

#include "app/qt/model_binders.h"

namespace vantrope {

namespace {
constexpr int kValueMinimumWidth = 60;
constexpr int kArrowButtonSize = 48;
constexpr qreal kArrowPointSize = 22;
constexpr int kSpacing = 4;
}  // namespace

QLabel* ValueField(ui::Label& model, QWidget* parent, bool bold) {
  auto* field = Bound<QLabel>(model, parent);
  field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  field->setMinimumWidth(kValueMinimumWidth);
  field->setTextInteractionFlags(Qt::TextSelectableByMouse);
  field->setAutoFillBackground(true);
  QPalette colours = field->palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::Base));
  field->setPalette(colours);
  if (bold) {
    QFont font = field->font();
    font.setBold(true);
    field->setFont(font);
  }
  return field;
}

QLabel* FixedText(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  return label;
}

QGroupBox* Group(ui::Label& model, QLayout* layout, QWidget* parent) {
  auto* group = Bound<QGroupBox>(model, parent);
  group->setLayout(layout);
  return group;
}

QPushButton* ArrowButton(ui::Button& model, QWidget* parent) {
  auto* button = Bound<QPushButton>(model, parent);
  button->setFixedSize(kArrowButtonSize, kArrowButtonSize);
  QFont font = button->font();
  font.setPointSizeF(kArrowPointSize);
  font.setBold(true);
  button->setFont(font);
  return button;
}

std::array<QRadioButton*, kSiteStateCount> StateRadios(SiteStateButtons& states, QWidget* parent) {
  auto* group = new QButtonGroup(parent);
  group->setExclusive(true);
  std::array<QRadioButton*, kSiteStateCount> radios{};
  for (int state = 0; state < kSiteStateCount; ++state) {
    radios[state] = new QRadioButton(parent);
    // In the group before the binder shows the model's checked state.
    group->addButton(radios[state], state);
    Bind(*radios[state], states.rbState[state]);
  }
  return radios;
}

QGridLayout* GroupGrid() {
  auto* grid = new QGridLayout;
  grid->setContentsMargins(6, 4, 6, 6);
  grid->setHorizontalSpacing(kSpacing + 2);
  grid->setVerticalSpacing(kSpacing);
  return grid;
}

QHBoxLayout* GroupRow() {
  auto* row = new QHBoxLayout;
  row->setContentsMargins(6, 4, 6, 6);
  row->setSpacing(kSpacing + 2);
  return row;
}

QVBoxLayout* GroupColumn() {
  auto* column = new QVBoxLayout;
  column->setContentsMargins(6, 4, 6, 6);
  column->setSpacing(kSpacing);
  return column;
}

}  // namespace vantrope
