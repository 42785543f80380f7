#include "app/qt/compact_widgets.h"

namespace vantrope {

QLabel* Caption(ui::Label& model, QWidget* parent) {
  auto* label = Bound<QLabel>(model, parent);
  label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  return label;
}

QComboBox* NarrowList(ui::ComboBox& model, int minimum_width, QWidget* parent) {
  auto* list = Editor<QComboBox>(model, parent);
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list->setMinimumContentsLength(1);
  list->setMinimumWidth(minimum_width);
  return list;
}

}  // namespace vantrope
