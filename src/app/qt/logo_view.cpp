#include "app/qt/logo_view.h"

#include <QContextMenuEvent>
#include <QPainter>

#include "app/qt/logo_pictures.h"
#include "app/qt/model_binders.h"
#include "app/qt/popup_menu.h"

namespace vantrope {

LogoView::LogoView(ui::Image& model, std::vector<ui::MenuItem*> menu, QWidget* parent)
    : QWidget(parent), model_(model), menu_(std::move(menu)) {
  Observe<LogoView, ui::Image>(*this, model, [](LogoView& view, ui::Image& m) {
    ApplyControl(view, m);
    view.setFixedSize(m.Width(), m.Height());
    view.update();
  });
}

void LogoView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintLogoPicture(painter, rect(), model_.PictureIndex());
}

void LogoView::contextMenuEvent(QContextMenuEvent* event) { PopUpMenu(menu_, event->globalPos()); }

void LogoView::mouseDoubleClickEvent(QMouseEvent*) {
  if (model_.onDblClick) model_.onDblClick();
}

}  // namespace vantrope
