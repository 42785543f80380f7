#include "ui/controls.h"

#include <algorithm>

namespace vantrope::ui {

double NumberEdit::Clamp(double v) const {
  if (min_ == 0 && max_ == 0) return v;
  return std::clamp(v, min_, max_);
}

void NumberEdit::SetValue(double v) { Set(value_, Clamp(v)); }

void NumberEdit::SetLimits(double min, double max) {
  min_ = min;
  max_ = max;
  Set(value_, Clamp(value_));
  Notify();
}

void SpinEdit::SetValue(int v) {
  if (min_ != 0 || max_ != 0) v = std::clamp(v, min_, max_);
  Set(value_, v);
}

void SpinEdit::SetLimits(int min, int max) {
  min_ = min;
  max_ = max;
  SetValue(value_);
  Notify();
}

void ComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  item_index_ = -1;
  Notify();
}

void ComboBox::SetItemIndex(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) index = -1;
  Set(item_index_, index);
}

std::string ComboBox::Text() const { return item_index_ < 0 ? std::string() : items_[item_index_]; }

void PageControl::SetPageCaption(int page, std::string caption) {
  Set(pages_.at(page).caption, std::move(caption));
}

void PageControl::SetPageEnabled(int page, bool enabled) { Set(pages_.at(page).enabled, enabled); }

void PageControl::SetActivePageIndex(int page) {
  if (page < 0 || page >= PageCount()) return;
  Set(active_, page);
}

void Grid::SetCell(int col, int row, std::string text) { Set(rows_.at(row).at(col).text, std::move(text)); }

void Grid::SetCellColor(int col, int row, Color color) { Set(rows_.at(row).at(col).color, color); }

int Grid::AppendRow() {
  rows_.emplace_back(col_count_);
  Notify();
  return RowCount() - 1;
}

void Grid::Clear() {
  rows_.clear();
  top_row_ = 0;
  selected_row_ = -1;
  Notify();
}

void Window::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, min_width_);
  height = std::max(height, min_height_);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Notify();
  if (onResize) onResize();
}

void Window::SetFrame(int width, int height) {
  if (width == frame_width_ && height == frame_height_) return;
  frame_width_ = width;
  frame_height_ = height;
  Notify();
  if (onFrameChange) onFrameChange();
}

void Window::SetMinSize(int min_width, int min_height) {
  min_width_ = min_width;
  min_height_ = min_height;
  Notify();
  SetBounds(left_, top_, width_, height_);
}

}  // namespace vantrope::ui
