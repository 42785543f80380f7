#include "app/qt/main_window_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/qt/expand_strip.h"
#include "app/qt/main_panel.h"
#include "app/qt/model_binders.h"
#include "app/qt/web_panel.h"

namespace vantrope {

namespace {

// The panels keep their model widths even when the window is narrower than
// they are together: no layout may raise the window's minimum size above
// the model's.
QHBoxLayout* PanelRow(QWidget* body) {
  auto* row = new QHBoxLayout(body);
  row->setSizeConstraint(QLayout::SetNoConstraint);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  return row;
}

}  // namespace

MainWindowView::MainWindowView(TMainForm& f, QWidget* browser_view)
    : ModelWindow(f.Form, [&f] { return f.FormClose(); }) {
  auto* window_layout = new QVBoxLayout(this);
  window_layout->setSizeConstraint(QLayout::SetNoConstraint);
  window_layout->setContentsMargins(0, 0, 0, 0);
  window_layout->setSpacing(0);

  auto* body = new QWidget(this);
  QHBoxLayout* panels = PanelRow(body);
  auto* main_panel = new QWidget(body);
  Observe<QWidget, ui::Panel>(*main_panel, f.pnMain, [](QWidget& w, ui::Panel& m) {
    ApplyControl(w, m);
    w.setFixedWidth(m.Width());
  });
  FillMainPanel(f, *main_panel);
  panels->addWidget(main_panel);
  panels->addWidget(new ExpandStrip(f.pnExpand, body));
  panels->addWidget(new WebPanel(f.pnWeb, f.browser_panel.teWebAddr, f.browser_panel.pbWEB, browser_view, body), 1);
  window_layout->addWidget(body, 1);

  auto* status_bar = new QStatusBar(this);
  status_bar->addWidget(Bound<QLabel>(f.StatusBar1, status_bar), 1);
  window_layout->addWidget(status_bar);
}

}  // namespace vantrope
