#include "app/qt/popup_menu.h"

#include <QMenu>

#include "app/qt/qt_text.h"

namespace vantrope {

void PopUpMenu(const std::vector<ui::MenuItem*>& items, const QPoint& global_pos) {
  QMenu menu;
  for (ui::MenuItem* item : items) {
    if (!item->Visible()) continue;
    QAction* action = menu.addAction(ToQString(item->Caption()));
    action->setEnabled(item->Enabled());
    action->setToolTip(ToQString(item->Hint()));
    QObject::connect(action, &QAction::triggered, [item] {
      if (item->onClick) item->onClick();
    });
  }
  if (!menu.isEmpty()) menu.exec(global_pos);
}

}  // namespace vantrope
