#include "app/qt/page_tabs.h"

#include <QHBoxLayout>

#include "app/qt/compact_widgets.h"
#include "app/qt/qt_text.h"

namespace vantrope {

namespace {

constexpr int kTabSpacing = 2;

const char* const kTabStyle =
    "QToolButton { border: 1px solid palette(mid); border-radius: 3px; padding: 1px 1px;"
    " background: palette(button); }"
    "QToolButton:checked { background: palette(base); border-color: palette(highlight); }"
    "QToolButton:disabled { color: palette(mid); background: palette(window); border-color: palette(midlight); }";

}  // namespace

PageTabs::PageTabs(ui::PageControl& model, const std::vector<QWidget*>& pages, QWidget* parent)
    : QFrame(parent), model_(model) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  tab_rows_ = new QVBoxLayout;
  tab_rows_->setSpacing(kTabSpacing);
  layout->addLayout(tab_rows_);
  stack_ = new QStackedWidget(this);
  layout->addWidget(stack_, 1);

  group_.setExclusive(true);
  for (int page = 0; page < model.PageCount(); ++page) {
    auto* tab = new QToolButton(this);
    tab->setCheckable(true);
    tab->setStyleSheet(QString::fromLatin1(kTabStyle));
    tab->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    tab->setFixedHeight(kRowHeight);
    group_.addButton(tab, page);
    tabs_.push_back(tab);
    stack_->addWidget(page < int(pages.size()) && pages[page] ? pages[page] : new QWidget);
  }
  connect(&group_, &QButtonGroup::idClicked, this, [this](int page) {
    model_.SetActivePageIndex(page);
    if (model_.onChange) model_.onChange();
  });
  Observe<PageTabs, ui::PageControl>(*this, model, [](PageTabs& tabs, ui::PageControl&) { tabs.Refresh(); });
}

void PageTabs::Refresh() {
  ApplyControl(*this, model_);
  bool captions_changed = false;
  for (int page = 0; page < int(tabs_.size()); ++page) {
    QToolButton* tab = tabs_[page];
    const QString caption = ToQString(model_.PageCaption(page));
    if (tab->text() != caption) {
      tab->setText(caption);
      captions_changed = true;
    }
    tab->setEnabled(model_.PageEnabled(page));
    tab->setChecked(page == model_.ActivePageIndex());
  }
  stack_->setCurrentIndex(model_.ActivePageIndex());
  if (captions_changed) ArrangeTabs();
}

void PageTabs::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  ArrangeTabs();
}

void PageTabs::ArrangeTabs() {
  while (QLayoutItem* row = tab_rows_->takeAt(0)) delete row;
  const int available = contentsRect().width() - 4;
  QHBoxLayout* row = nullptr;
  int used = 0;
  for (QToolButton* tab : tabs_) {
    const int width = tab->sizeHint().width();
    if (!row || used + kTabSpacing + width > available) {
      row = new QHBoxLayout;
      row->setSpacing(kTabSpacing);
      tab_rows_->addLayout(row);
      used = 0;
    } else {
      used += kTabSpacing;
    }
    row->addWidget(tab);
    used += width;
  }
}

}  // namespace vantrope
