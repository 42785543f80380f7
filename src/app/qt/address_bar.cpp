#include "app/qt/address_bar.h"

#include <QAction>
#include <QStyle>

#include "app/qt/model_binders.h"

namespace vantrope {

AddressBar::AddressBar(ui::TextEdit& model, QWidget* parent) : QLineEdit(parent), model_(model) {
  Bind(*this, model);
  QAction* button = addAction(style()->standardIcon(QStyle::SP_ArrowRight), QLineEdit::TrailingPosition);
  connect(button, &QAction::triggered, this, [this] {
    if (model_.onButtonClick) model_.onButtonClick();
  });
}

void AddressBar::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  if (model_.onDblClick) model_.onDblClick();
}

}  // namespace vantrope
