// A page control whose tabs wrap into as many rows as the width needs, so
// that every caption stays readable in the narrow left panel.
#pragma once

#include <QButtonGroup>
#include <QFrame>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <vector>

#include "ui/controls.h"

namespace vantrope {

class PageTabs : public QFrame {
 public:
  // `pages` are the pages' contents in tab order.
  PageTabs(ui::PageControl& model, const std::vector<QWidget*>& pages, QWidget* parent);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Refresh();
  // Spreads the tab buttons over rows that fit the current width.
  void ArrangeTabs();

  ui::PageControl& model_;
  std::vector<QToolButton*> tabs_;
  QButtonGroup group_;
  QVBoxLayout* tab_rows_;
  QStackedWidget* stack_;
};

}  // namespace vantrope
