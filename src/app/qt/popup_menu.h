// A pop-up menu built from menu item models at the moment it opens.
#pragma once

#include <QPoint>
#include <vector>

#include "ui/controls.h"

namespace vantrope {

// Shows the visible items at `global_pos`; a chosen item's handler runs.
// Nothing opens when no item is visible.
void PopUpMenu(const std::vector<ui::MenuItem*>& items, const QPoint& global_pos);

}  // namespace vantrope
