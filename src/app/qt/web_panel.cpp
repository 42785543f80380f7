#include "app/qt/web_panel.h"

#include <QProgressBar>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "app/qt/address_bar.h"
#include "app/qt/model_binders.h"

namespace vantrope {

namespace {

constexpr int kProgressHeight = 4;

// A bar that only says "busy": it runs to and fro while visible.
QProgressBar* LoadProgress(ui::Control& model, QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setRange(0, 0);
  bar->setTextVisible(false);
  bar->setFixedHeight(kProgressHeight);
  Observe<QProgressBar, ui::Control>(*bar, model, [](QProgressBar& w, ui::Control& m) { ApplyControl(w, m); });
  return bar;
}

}  // namespace

WebPanel::WebPanel(ui::Panel& model, ui::TextEdit& address, ui::Control& progress, QWidget* browser_view,
                   QWidget* parent)
    : QWidget(parent), model_(model) {
  // The panel folds down to nothing when the window is at its minimum width.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetNoConstraint);
  layout->setContentsMargins(0, 2, 2, 0);
  layout->setSpacing(2);
  layout->addWidget(new AddressBar(address, this));
  layout->addWidget(LoadProgress(progress, this));
  layout->addWidget(browser_view, 1);
  Observe<WebPanel, ui::Panel>(*this, model, [](WebPanel& panel, ui::Panel& m) { ApplyControl(panel, m); });
}

void WebPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  model_.SetWidth(event->size().width());
}

}  // namespace vantrope
