// Finds a widget of the views by its C++ type: the views' own widget classes
// carry no meta-object, so Qt's findChild cannot tell them from their bases.
#pragma once

#include <QWidget>

namespace vantrope::testing {

template <typename Widget>
Widget* FindWidget(QWidget& root) {
  for (QWidget* child : root.findChildren<QWidget*>())
    if (auto* found = dynamic_cast<Widget*>(child)) return found;
  return nullptr;
}

}  // namespace vantrope::testing
