// Widgets bound to control models. A bound widget refreshes itself from its
// model whenever the model changes (with its own signals blocked, so that a
// refresh is never taken for user input), and turns user input into the
// model's new value followed by a call of the model's handler.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <functional>

#include "ui/controls.h"

namespace vantrope {

// What every control shares: enabled, visible, hint.
void ApplyControl(QWidget& widget, const ui::Control& model);

// Makes `refresh` the model's observer, guarded against the widget's end,
// and runs it once.
template <typename Widget, typename Model>
void Observe(Widget& widget, Model& model, std::function<void(Widget&, Model&)> refresh) {
  QPointer<Widget> guard(&widget);
  auto observer = [guard, &model, refresh] {
    if (!guard) return;
    const QSignalBlocker blocker(guard.data());
    refresh(*guard, model);
  };
  model.SetObserver(observer);
  observer();
}

// A label shows its model's font colour.
void Bind(QLabel& widget, ui::Label& model);
void Bind(QGroupBox& widget, ui::Label& model);
void Bind(QGroupBox& widget, ui::Panel& model);
void Bind(QLabel& widget, ui::StatusBar& model);
// A checkable button shows Down() as its checked state.
void Bind(QAbstractButton& widget, ui::Button& model);
void Bind(QCheckBox& widget, ui::CheckBox& model);
// A click that checks the button is its click; one on the checked button is none.
void Bind(QRadioButton& widget, ui::RadioButton& model);
void Bind(QLineEdit& widget, ui::TextEdit& model);
void Bind(QDoubleSpinBox& widget, ui::NumberEdit& model);
void Bind(QSpinBox& widget, ui::SpinEdit& model);
void Bind(QComboBox& widget, ui::ComboBox& model);
// The tab widget's pages must be added before it is bound.
void Bind(QTabWidget& widget, ui::PageControl& model);

// A new widget of the given type under `parent`, bound to `model`.
template <typename Widget, typename Model>
Widget* Bound(Model& model, QWidget* parent) {
  auto* widget = new Widget(parent);
  Bind(*widget, model);
  return widget;
}

}  // namespace vantrope
