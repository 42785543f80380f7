#include "app/qt/strategy_pages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QVBoxLayout>

#include "app/qt/compact_widgets.h"

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
  return {
      PageBuilder()
          .Number(f.strategies.lbBot0BetSize, f.strategies.neBot0BetSize)
          .Check(f.strategies.cbBot0ReBet)
          .Count(f.strategies.lbBot0BetCount, f.strategies.speBot0BetCount)
          .Done(),
      PageBuilder()
          .Number(f.strategies.lbBot1MinDeposit, f.strategies.neBot1MinDeposit)
          .Count(f.strategies.lbBot1ChainCount, f.strategies.speBot1ChainCount)
          .Count(f.strategies.lbBot1BetCount, f.strategies.speBot1BetCount)
          .Number(f.strategies.lbBot1BetSize, f.strategies.neBot1BetSize)
          .Done(),
      PageBuilder()
          .Number(f.strategies.lbBot2MinDeposit, f.strategies.neBot2MinDeposit)
          .Count(f.strategies.lbBot2BetCount, f.strategies.speBot2BetCount)
          .Count(f.strategies.lbBot2ChainCount, f.strategies.speBot2ChainCount)
          .Number(f.strategies.lbBot2BetSize, f.strategies.neBot2BetSize)
          .Done(),
      PageBuilder()
          .Number(f.strategies.lbBot3MinDeposit, f.strategies.neBot3MinDeposit)
          .Count(f.strategies.lbBot3ChainCount, f.strategies.speBot3ChainCount)
          .Number(f.strategies.lbBot3BetSize, f.strategies.neBot3BetSize)
          .Done(),
      PageBuilder()
          .Number(f.strategies.lbBot4MinDeposit, f.strategies.neBot4MinDeposit)
          .Count(f.strategies.lbBot4ChainCount, f.strategies.speBot4ChainCount)
          .Count(f.strategies.lbBot4BetCount, f.strategies.speBot4BetCount)
          .Number(f.strategies.lbBot4BetSize, f.strategies.neBot4BetSize)
          .Done(),
      // The balanced strategy has the most editors: its money editors go in pairs.
      PageBuilder()
          .Numbers(f.strategies.lbBot5BetSize, f.strategies.neBot5BetSize, f.strategies.lbBot5WinLimit,
                   f.strategies.neBot5WinLimit)
          .Numbers(f.strategies.lbBot5Porog, f.strategies.neBot5Porog, f.strategies.lbBot5LoseLimit,
                   f.strategies.neBot5LoseLimit)
          .Count(f.strategies.lbBot5BetCount, f.strategies.speBot5BetCount)
          .Check(f.strategies.cbBot5ChangeDirection)
          .Done(),
      PageBuilder().Done(),
  };
}

}  // namespace vantrope
