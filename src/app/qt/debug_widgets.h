// Widgets the debug window's pages share: read-only value fields, the large
// arrow buttons and a set of site-state radio buttons.
#pragma once

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

#include "debug/debug_controls.h"

namespace vantrope {

// A value the program writes and the user only reads, in a sunken box.
QLabel* ValueField(ui::Label& model, QWidget* parent, bool bold = false);

// A text that is the view's own (a name, a symbol), not a model's.
QLabel* FixedText(const QString& text, QWidget* parent);

// A titled group whose contents are `layout`.
QGroupBox* Group(ui::Label& model, QLayout* layout, QWidget* parent);

QPushButton* ArrowButton(ui::Button& model, QWidget* parent);

// The eight site states, one exclusive group of their own.
std::array<QRadioButton*, kSiteStateCount> StateRadios(SiteStateButtons& states, QWidget* parent);

// Layouts with the pages' spacing.
QGridLayout* GroupGrid();
QHBoxLayout* GroupRow();
QVBoxLayout* GroupColumn();

}  // namespace vantrope
