// Bound widgets sized for the narrow left panel, which holds many rows of
// controls in little height.
#pragma once

#include <QComboBox>
#include <QLabel>

#include "app/qt/model_binders.h"

namespace vantrope {

constexpr int kRowHeight = 20;
constexpr int kRowSpacing = 2;

// An editor of the panel's row height.
template <typename Widget, typename Model>
Widget* Editor(Model& model, QWidget* parent) {
  Widget* widget = Bound<Widget>(model, parent);
  widget->setFixedHeight(kRowHeight);
  return widget;
}

// A label that keeps its whole text; the editors beside it give way.
QLabel* Caption(ui::Label& model, QWidget* parent);

// A pick list that may shrink to `minimum_width`, narrower than its longest item.
QComboBox* NarrowList(ui::ComboBox& model, int minimum_width, QWidget* parent);

}  // namespace vantrope
