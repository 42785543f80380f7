// Finds a widget of the views by its C++ type, and by what it shows: the
// views' own widget classes carry no meta-object, so Qt's findChild cannot
// tell them from their bases.
#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>
#include <QWidget>
#include <vector>

namespace vantrope::testing {

template <typename Widget>
std::vector<Widget*> FindWidgets(QWidget& root) {
  std::vector<Widget*> found;
  for (QWidget* child : root.findChildren<QWidget*>())
    if (auto* widget = dynamic_cast<Widget*>(child)) found.push_back(widget);
  return found;
}

template <typename Widget>
Widget* FindWidget(QWidget& root) {
  const std::vector<Widget*> found = FindWidgets<Widget>(root);
  return found.empty() ? nullptr : found.front();
}

// A button's or label's text, a group's title; nothing for other widgets.
inline QString ShownText(const QWidget& widget) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
  if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) return group->title();
  return {};
}

// The first widget of the type that shows `text`.
template <typename Widget>
Widget* FindWidget(QWidget& root, const QString& text) {
  for (Widget* widget : FindWidgets<Widget>(root))
    if (ShownText(*widget) == text) return widget;
  return nullptr;
}

// The texts the widgets of the type under `root` show, one entry a widget.
template <typename Widget>
QStringList ShownTexts(QWidget& root) {
  QStringList texts;
  for (Widget* widget : FindWidgets<Widget>(root))
    if (const QString text = ShownText(*widget); !text.isEmpty()) texts << text;
  return texts;
}

}  // namespace vantrope::testing
