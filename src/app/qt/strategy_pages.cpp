#include "app/qt/strategy_pages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QVBoxLayout>

#include "app/qt/compact_widgets.h"
#include "engine/strategy_registry.h"

namespace vantrope {

namespace {

constexpr int kEditorWidth = 90;
constexpr int kPairedEditorWidth = 55;

// A page of rows: a label with its editor at the right end, two such pairs
// side by side, or a check box.
class PageBuilder {
 public:
  PageBuilder() : page_(new QWidget), rows_(new QVBoxLayout(page_)) {
    rows_->setContentsMargins(4, 4, 4, 4);
    rows_->setSpacing(kRowSpacing);
  }

  PageBuilder& Number(ui::Label& label, ui::NumberEdit& editor) {
    return Single(label, Editor<QDoubleSpinBox>(editor, page_));
  }
  PageBuilder& Count(ui::Label& label, ui::SpinEdit& editor) { return Single(label, Editor<QSpinBox>(editor, page_)); }
  PageBuilder& Numbers(ui::Label& left_label, ui::NumberEdit& left, ui::Label& right_label, ui::NumberEdit& right) {
    QGridLayout* grid = Grid();
    Place(grid, 0, left_label, Editor<QDoubleSpinBox>(left, page_), kPairedEditorWidth);
    grid->setColumnMinimumWidth(2, 6);
    Place(grid, 3, right_label, Editor<QDoubleSpinBox>(right, page_), kPairedEditorWidth);
    return *this;
  }
  PageBuilder& Check(ui::CheckBox& box) {
    rows_->addWidget(Bound<QCheckBox>(box, page_));
    return *this;
  }
  QWidget* Done() {
    rows_->addStretch(1);
    return page_;
  }

 private:
  PageBuilder& Single(ui::Label& label, QWidget* editor) {
    Place(Grid(), 0, label, editor, kEditorWidth);
    return *this;
  }
  QGridLayout* Grid() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    rows_->addLayout(grid);
    return grid;
  }
  void Place(QGridLayout* grid, int column, ui::Label& label, QWidget* editor, int editor_width) {
    grid->addWidget(Bound<QLabel>(label, page_), 0, column);
    grid->setColumnStretch(column, 1);
    editor->setFixedWidth(editor_width);
    grid->addWidget(editor, 0, column + 1);
  }

  QWidget* page_;
  QVBoxLayout* rows_;
};

}  // namespace

std::vector<QWidget*> BuildStrategyPages(TMainForm& f) {
  using K = StrategyField::Kind;
  StrategyPages& pages = f.strategies;
  std::vector<QWidget*> built(StrategyPages::kStrategyCount, nullptr);
  for (const StrategyRow& row : StrategyRows()) {
    PageBuilder page;
    for (size_t i = 0; i < row.fields.size(); ++i) {
      const StrategyField& field = row.fields[i];
      if (field.kind == K::kCheck) {
        page.Check(pages.*std::get<ui::CheckBox StrategyPages::*>(field.control));
      } else if (field.kind == K::kCount) {
        page.Count(pages.*field.label, pages.*std::get<ui::SpinEdit StrategyPages::*>(field.control));
      } else {
        ui::NumberEdit& editor = pages.*std::get<ui::NumberEdit StrategyPages::*>(field.control);
        if (!field.beside_next) {
          page.Number(pages.*field.label, editor);
          continue;
        }
        const StrategyField& next = row.fields.at(++i);
        page.Numbers(pages.*field.label, editor, pages.*next.label,
                     pages.*std::get<ui::NumberEdit StrategyPages::*>(next.control));
      }
    }
    built.at(row.page) = page.Done();
  }
  // The page without a strategy is left empty.
  for (QWidget*& page : built)
    if (page == nullptr) page = PageBuilder().Done();
  return built;
}

}  // namespace vantrope
