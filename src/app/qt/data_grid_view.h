// A grid of data under titled columns: the user selects a row, types into the
// columns the model lets him edit, double-clicks a cell for the model's
// handler and opens the grid's pop-up menu.
#pragma once

#include <QTableWidget>
#include <vector>

#include "ui/controls.h"

namespace vantrope {

struct GridColumn {
  static constexpr int kStretch = 0;
  static constexpr int kHidden = -1;
  const char* title;
  int width;  // or kStretch, kHidden
};

class DataGridView : public QTableWidget {
 public:
  DataGridView(ui::Grid& model, const std::vector<GridColumn>& columns, std::vector<ui::MenuItem*> menu,
               QWidget* parent);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Refresh();
  void ShowSelectedRow();
  QTableWidgetItem* NewItem(int col) const;

  ui::Grid& model_;
  std::vector<ui::MenuItem*> menu_;
};

}  // namespace vantrope
