// The event log grid: time, mark and message columns (the fourth, the line's
// type code, stays hidden), with a pop-up menu to save the log.
#pragma once

#include <QTableWidget>
#include <vector>

#include "ui/controls.h"

namespace vantrope {

class LogGridView : public QTableWidget {
 public:
  LogGridView(ui::Grid& model, std::vector<ui::MenuItem*> menu_items, QWidget* parent);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Refresh();

  ui::Grid& model_;
  std::vector<ui::MenuItem*> menu_items_;
};

}  // namespace vantrope
