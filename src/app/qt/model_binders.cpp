#include "app/qt/model_binders.h"

#include <QButtonGroup>
#include <QGraphicsOpacityEffect>

#include "app/qt/qt_text.h"

namespace vantrope {

namespace {

// The range of a number editor without limits.
constexpr double kNoLimit = 1e12;
constexpr int kEditorMinimumWidth = 60;

// A text colour, kept in the active and inactive states alike; a disabled
// control keeps the style's grey.
void SetTextColor(QWidget& widget, ui::Color color, QPalette::ColorRole role = QPalette::Text) {
  QPalette palette = widget.palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
    palette.setColor(group, role, ToQColor(color));
  widget.setPalette(palette);
}

// Blend is the transparency percent of the skinned buttons.
void SetBlend(QWidget& widget, int blend) {
  if (blend <= 0) {
    widget.setGraphicsEffect(nullptr);
    return;
  }
  auto* effect = qobject_cast<QGraphicsOpacityEffect*>(widget.graphicsEffect());
  if (!effect) {
    effect = new QGraphicsOpacityEffect(&widget);
    widget.setGraphicsEffect(effect);
  }
  effect->setOpacity(1.0 - blend / 100.0);
}

template <typename Handler>
void Call(const Handler& handler) {
  if (handler) handler();
}

}  // namespace

void ApplyControl(QWidget& widget, const ui::Control& model) {
  widget.setEnabled(model.Enabled());
  widget.setToolTip(ToQString(model.Hint()));
  widget.setVisible(model.Visible());
}

void Bind(QLabel& widget, ui::Label& model) {
  Observe<QLabel, ui::Label>(widget, model, [](QLabel& w, ui::Label& m) {
    ApplyControl(w, m);
    SetTextColor(w, m.FontColor(), QPalette::WindowText);
    w.setText(ToQString(m.Caption()));
  });
}

void Bind(QGroupBox& widget, ui::Label& model) {
  Observe<QGroupBox, ui::Label>(widget, model, [](QGroupBox& w, ui::Label& m) {
    ApplyControl(w, m);
    w.setTitle(ToQString(m.Caption()));
  });
}

void Bind(QGroupBox& widget, ui::Panel& model) {
  Observe<QGroupBox, ui::Panel>(widget, model, [](QGroupBox& w, ui::Panel& m) {
    ApplyControl(w, m);
    w.setTitle(ToQString(m.Caption()));
  });
}

void Bind(QLabel& widget, ui::StatusBar& model) {
  Observe<QLabel, ui::StatusBar>(widget, model, [](QLabel& w, ui::StatusBar& m) {
    ApplyControl(w, m);
    w.setText(ToQString(m.Text()));
  });
}

void Bind(QAbstractButton& widget, ui::Button& model) {
  Observe<QAbstractButton, ui::Button>(widget, model, [](QAbstractButton& w, ui::Button& m) {
    ApplyControl(w, m);
    w.setText(ToQString(m.Caption()));
    if (w.isCheckable())
      w.setChecked(m.Down());
    else
      w.setDown(m.Down());
    SetBlend(w, m.Blend());
  });
  QObject::connect(&widget, &QAbstractButton::clicked, [&widget, &model](bool checked) {
    if (widget.isCheckable()) model.SetDown(checked);
    Call(model.onClick);
  });
}

void Bind(QCheckBox& widget, ui::CheckBox& model) {
  Observe<QCheckBox, ui::CheckBox>(widget, model, [](QCheckBox& w, ui::CheckBox& m) {
    ApplyControl(w, m);
    w.setText(ToQString(m.Caption()));
    w.setChecked(m.Checked());
  });
  QObject::connect(&widget, &QCheckBox::clicked, [&model](bool checked) {
    model.SetChecked(checked);
    Call(model.onClick);
  });
}

void Bind(QRadioButton& widget, ui::RadioButton& model) {
  Observe<QRadioButton, ui::RadioButton>(widget, model, [](QRadioButton& w, ui::RadioButton& m) {
    ApplyControl(w, m);
    w.setText(ToQString(m.Caption()));
    // An exclusive group keeps one button checked: unchecking the last one
    // needs the group's leave.
    QButtonGroup* group = w.group();
    if (!m.Checked() && w.isChecked() && group && group->exclusive()) {
      group->setExclusive(false);
      w.setChecked(false);
      group->setExclusive(true);
    } else {
      w.setChecked(m.Checked());
    }
  });
  QObject::connect(&widget, &QRadioButton::clicked, [&model] {
    if (model.Checked()) return;
    model.SetChecked(true);
    Call(model.onClick);
  });
}

void Bind(QLineEdit& widget, ui::TextEdit& model) {
  Observe<QLineEdit, ui::TextEdit>(widget, model, [](QLineEdit& w, ui::TextEdit& m) {
    ApplyControl(w, m);
    w.setEchoMode(m.Password() ? QLineEdit::Password : QLineEdit::Normal);
    w.setReadOnly(m.ReadOnly());
    SetTextColor(w, m.FontColor());
    const QString text = ToQString(m.Text());
    if (w.text() != text) w.setText(text);
  });
  QObject::connect(&widget, &QLineEdit::textEdited, [&model](const QString& text) {
    model.SetText(ToStdString(text));
    Call(model.onChange);
  });
}

void Bind(QDoubleSpinBox& widget, ui::NumberEdit& model) {
  widget.setButtonSymbols(QAbstractSpinBox::NoButtons);
  // Without limits the widest value is huge: the editor need not fit it.
  widget.setMinimumWidth(kEditorMinimumWidth);
  // The value reaches the model when the user has finished typing it.
  widget.setKeyboardTracking(false);
  Observe<QDoubleSpinBox, ui::NumberEdit>(widget, model, [](QDoubleSpinBox& w, ui::NumberEdit& m) {
    ApplyControl(w, m);
    w.setDecimals(m.Decimals());
    if (m.MinValue() == 0 && m.MaxValue() == 0)
      w.setRange(-kNoLimit, kNoLimit);
    else
      w.setRange(m.MinValue(), m.MaxValue());
    w.setSuffix(m.Suffix().empty() ? QString() : QStringLiteral(" ") + ToQString(m.Suffix()));
    w.setReadOnly(m.ReadOnly());
    SetTextColor(w, m.FontColor());
    if (w.value() != m.Value()) w.setValue(m.Value());
  });
  QObject::connect(&widget, &QDoubleSpinBox::valueChanged, [&model](double value) {
    model.SetValue(value);
    Call(model.onChange);
  });
  QObject::connect(&widget, &QDoubleSpinBox::editingFinished, [&model] { Call(model.onExit); });
}

void Bind(QSpinBox& widget, ui::SpinEdit& model) {
  widget.setKeyboardTracking(false);
  Observe<QSpinBox, ui::SpinEdit>(widget, model, [](QSpinBox& w, ui::SpinEdit& m) {
    ApplyControl(w, m);
    if (m.MinValue() == 0 && m.MaxValue() == 0)
      w.setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    else
      w.setRange(m.MinValue(), m.MaxValue());
    if (w.value() != m.Value()) w.setValue(m.Value());
  });
  QObject::connect(&widget, &QSpinBox::valueChanged, [&model](int value) {
    model.SetValue(value);
    Call(model.onChange);
  });
}

void Bind(QComboBox& widget, ui::ComboBox& model) {
  Observe<QComboBox, ui::ComboBox>(widget, model, [](QComboBox& w, ui::ComboBox& m) {
    ApplyControl(w, m);
    QStringList items;
    for (const std::string& item : m.Items()) items << ToQString(item);
    QStringList shown;
    for (int i = 0; i < w.count(); ++i) shown << w.itemText(i);
    if (shown != items) {
      w.clear();
      w.addItems(items);
    }
    w.setCurrentIndex(m.ItemIndex());
  });
  QObject::connect(&widget, &QComboBox::activated, [&model](int index) {
    model.SetItemIndex(index);
    Call(model.onChange);
  });
}

void Bind(QTabWidget& widget, ui::PageControl& model) {
  Observe<QTabWidget, ui::PageControl>(widget, model, [](QTabWidget& w, ui::PageControl& m) {
    ApplyControl(w, m);
    for (int page = 0; page < m.PageCount() && page < w.count(); ++page) {
      w.setTabText(page, ToQString(m.PageCaption(page)));
      w.setTabEnabled(page, m.PageEnabled(page));
    }
    w.setCurrentIndex(m.ActivePageIndex());
  });
  QObject::connect(&widget, &QTabWidget::currentChanged, [&model](int page) {
    model.SetActivePageIndex(page);
    Call(model.onChange);
  });
}

}  // namespace vantrope
