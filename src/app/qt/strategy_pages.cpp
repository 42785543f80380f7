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
          .Number(f.lbBot0BetSize, f.neBot0BetSize)
          .Check(f.cbBot0ReBet)
          .Count(f.lbBot0BetCount, f.speBot0BetCount)
          .Done(),
      PageBuilder()
          .Number(f.lbBot1MinDeposit, f.neBot1MinDeposit)
          .Count(f.lbBot1ChainCount, f.speBot1ChainCount)
          .Count(f.lbBot1BetCount, f.speBot1BetCount)
          .Number(f.lbBot1BetSize, f.neBot1BetSize)
          .Done(),
      PageBuilder()
          .Number(f.lbBot2MinDeposit, f.neBot2MinDeposit)
          .Count(f.lbBot2BetCount, f.speBot2BetCount)
          .Count(f.lbBot2ChainCount, f.speBot2ChainCount)
          .Number(f.lbBot2BetSize, f.neBot2BetSize)
          .Done(),
      PageBuilder()
          .Number(f.lbBot3MinDeposit, f.neBot3MinDeposit)
          .Count(f.lbBot3ChainCount, f.speBot3ChainCount)
          .Number(f.lbBot3BetSize, f.neBot3BetSize)
          .Done(),
      PageBuilder()
          .Number(f.lbBot4MinDeposit, f.neBot4MinDeposit)
          .Count(f.lbBot4ChainCount, f.speBot4ChainCount)
          .Count(f.lbBot4BetCount, f.speBot4BetCount)
          .Number(f.lbBot4BetSize, f.neBot4BetSize)
          .Done(),
      // The balanced strategy has the most editors: its money editors go in pairs.
      PageBuilder()
          .Numbers(f.lbBot5BetSize, f.neBot5BetSize, f.lbBot5WinLimit, f.neBot5WinLimit)
          .Numbers(f.lbBot5Porog, f.neBot5Porog, f.lbBot5LoseLimit, f.neBot5LoseLimit)
          .Count(f.lbBot5BetCount, f.speBot5BetCount)
          .Check(f.cbBot5ChangeDirection)
          .Done(),
      PageBuilder().Done(),
  };
}

}  // namespace vantrope
