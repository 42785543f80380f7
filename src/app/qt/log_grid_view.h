// The event log grid: time, mark and message columns (the fourth, the line's
// type code, stays hidden), with a pop-up menu to save the log.
#pragma once

#include <QTableWidget>

#include "ui/controls.h"

namespace vantrope {

class LogGridView : public QTableWidget {
 public:
  LogGridView(ui::Grid& model, ui::MenuItem& save_item, QWidget* parent);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Refresh();

  ui::Grid& model_;
  ui::MenuItem& save_item_;
};

}  // namespace vantrope
