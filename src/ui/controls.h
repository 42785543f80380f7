// Control models: the state of the main window's controls, held in plain C++
// so that the robot's logic reads and writes them as it would real controls
// and tests need no display. The Qt view mirrors every change in a widget.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/bitmap.h"
#include "ui/color.h"

namespace vantrope::ui {

class Model {
 public:
  Model() = default;
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;
  virtual ~Model() = default;

  // Bound by the view to refresh its widget; the core never calls it directly.
  void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }

 protected:
  void Notify() const {
    if (observer_) observer_();
  }

 private:
  std::function<void()> observer_;
};

// What every visible control has.
class Control : public Model {
 public:
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { Set(enabled_, v); }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Set(visible_, v); }
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string v) { Set(hint_, std::move(v)); }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string v) { Set(caption_, std::move(v)); }

 protected:
  template <typename T>
  void Set(T& field, T value) {
    if (field == value) return;
    field = std::move(value);
    Notify();
  }

 private:
  bool enabled_ = true;
  bool visible_ = true;
  std::string hint_;
  std::string caption_;
};

class Label : public Control {
 public:
  Color FontColor() const { return font_color_; }
  void SetFontColor(Color v) { Set(font_color_, v); }

 private:
  Color font_color_ = 0;
};

class Panel : public Control {
 public:
  int Width() const { return width_; }
  void SetWidth(int v) { Set(width_, v); }
  std::function<void()> onClick;

 private:
  int width_ = 0;
};

class Button : public Control {
 public:
  int Tag() const { return tag_; }
  void SetTag(int v) { tag_ = v; }
  bool Down() const { return down_; }
  void SetDown(bool v) { Set(down_, v); }
  // Transparency percent of the skinned buttons (0 normal, 60 faded).
  int Blend() const { return blend_; }
  void SetBlend(int v) { Set(blend_, v); }
  std::function<void()> onClick;

 private:
  int tag_ = 0;
  bool down_ = false;
  int blend_ = 0;
};

class CheckBox : public Control {
 public:
  bool Checked() const { return checked_; }
  void SetChecked(bool v) { Set(checked_, v); }
  std::function<void()> onClick;

 private:
  bool checked_ = false;
};

// One of a group of radio buttons; its tag tells which.
class RadioButton : public Control {
 public:
  int Tag() const { return tag_; }
  void SetTag(int v) { tag_ = v; }
  bool Checked() const { return checked_; }
  void SetChecked(bool v) { Set(checked_, v); }
  std::function<void()> onClick;

 private:
  int tag_ = 0;
  bool checked_ = false;
};

class TextEdit : public Control {
 public:
  const std::string& Text() const { return text_; }
  void SetText(std::string v) { Set(text_, std::move(v)); }
  bool Password() const { return password_; }
  void SetPassword(bool v) { Set(password_, v); }
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v) { Set(read_only_, v); }
  Color FontColor() const { return font_color_; }
  void SetFontColor(Color v) { Set(font_color_, v); }
  std::function<void()> onChange;
  std::function<void()> onButtonClick;
  std::function<void()> onDblClick;

 private:
  std::string text_;
  bool password_ = false;
  bool read_only_ = false;
  Color font_color_ = 0;
};

// A number editor: a value with limits and decimals, and a text shown after it
// (the currency name).
class NumberEdit : public Control {
 public:
  double Value() const { return value_; }
  void SetValue(double v);
  double MinValue() const { return min_; }
  double MaxValue() const { return max_; }
  // Limits of 0 and 0 mean "no limits".
  void SetLimits(double min, double max);
  int Decimals() const { return decimals_; }
  void SetDecimals(int v) { Set(decimals_, v); }
  const std::string& Suffix() const { return suffix_; }
  void SetSuffix(std::string v) { Set(suffix_, std::move(v)); }
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v) { Set(read_only_, v); }
  Color FontColor() const { return font_color_; }
  void SetFontColor(Color v) { Set(font_color_, v); }
  std::function<void()> onChange;
  std::function<void()> onExit;

 private:
  double Clamp(double v) const;
  double value_ = 0;
  double min_ = 0;
  double max_ = 0;
  int decimals_ = 0;
  std::string suffix_;
  bool read_only_ = false;
  Color font_color_ = 0;
};

class SpinEdit : public Control {
 public:
  int Value() const { return value_; }
  void SetValue(int v);
  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  void SetLimits(int min, int max);
  std::function<void()> onChange;

 private:
  int value_ = 0;
  int min_ = 0;
  int max_ = 0;
};

class ComboBox : public Control {
 public:
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  // -1: no item selected. An index outside the list selects nothing.
  int ItemIndex() const { return item_index_; }
  void SetItemIndex(int index);
  // The text of the selected item, empty with none.
  std::string Text() const;
  std::function<void()> onChange;

 private:
  std::vector<std::string> items_;
  int item_index_ = -1;
};

// Tab pages of a page control: captions, enabled flags and the active page.
class PageControl : public Control {
 public:
  explicit PageControl(int page_count) : pages_(page_count) {}
  int PageCount() const { return static_cast<int>(pages_.size()); }
  const std::string& PageCaption(int page) const { return pages_.at(page).caption; }
  void SetPageCaption(int page, std::string caption);
  bool PageEnabled(int page) const { return pages_.at(page).enabled; }
  void SetPageEnabled(int page, bool enabled);
  int ActivePageIndex() const { return active_; }
  void SetActivePageIndex(int page);
  std::function<void()> onChange;

 private:
  struct Page {
    std::string caption;
    bool enabled = true;
  };
  std::vector<Page> pages_;
  int active_ = 0;
};

// A small indicator shape (lamp) with its brush colour.
class Shape : public Control {
 public:
  Color BrushColor() const { return brush_; }
  void SetBrushColor(Color v) { Set(brush_, v); }

 private:
  Color brush_ = kClBtnFace;
};

class Image : public Control {
 public:
  int PictureIndex() const { return picture_; }
  void SetPictureIndex(int v) { Set(picture_, v); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height) {
    Set(width_, width);
    Set(height_, height);
  }
  std::function<void()> onDblClick;

 private:
  int picture_ = 0;
  int width_ = 0;
  int height_ = 0;
};

// A picture shown as it is, pixel for pixel.
class PictureBox : public Control {
 public:
  const Bitmap& Picture() const { return picture_; }
  void SetPicture(const Bitmap& picture) { Set(picture_, picture); }
  // Changes pixels in place, then shows them once.
  template <typename Edit>
  void EditPicture(Edit edit) {
    edit(picture_);
    Notify();
  }

 private:
  Bitmap picture_;
};

class MenuItem : public Control {
 public:
  int Tag() const { return tag_; }
  void SetTag(int v) { tag_ = v; }
  std::function<void()> onClick;

 private:
  int tag_ = 0;
};

// A text grid: cells by column and row, per-cell background colours.
class Grid : public Control {
 public:
  explicit Grid(int col_count) : col_count_(col_count) {}
  int ColCount() const { return col_count_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  const std::string& Cell(int col, int row) const { return rows_.at(row).at(col).text; }
  void SetCell(int col, int row, std::string text);
  Color CellColor(int col, int row) const { return rows_.at(row).at(col).color; }
  void SetCellColor(int col, int row, Color color);
  // Appends an empty row and returns its index.
  int AppendRow();
  void Clear();
  int TopRow() const { return top_row_; }
  void ScrollTo(int row) { Set(top_row_, row); }
  // The row the user selected, -1 for none.
  int SelectedRow() const { return selected_row_; }
  void SetSelectedRow(int row) { Set(selected_row_, row); }
  // A column whose cells the user may type into.
  bool ColumnEditable(int col) const { return col >= 0 && col < 64 && (editable_ >> col & 1) != 0; }
  void SetColumnEditable(int col) { editable_ |= uint64_t{1} << col; }
  // Before the grid's pop-up menu opens.
  std::function<void()> onPopup;
  std::function<void(int col, int row)> onDblClick;

 private:
  struct CellData {
    std::string text;
    Color color = 0xFFFFFF;
  };
  int col_count_;
  std::vector<std::vector<CellData>> rows_;
  int top_row_ = 0;
  int selected_row_ = -1;
  uint64_t editable_ = 0;
};

class StatusBar : public Control {
 public:
  const std::string& Text() const { return text_; }
  void SetText(std::string v) { Set(text_, std::move(v)); }

 private:
  std::string text_;
};

// A read-only list of text lines (a log view).
class Memo : public Control {
 public:
  const std::deque<std::string>& Lines() const { return lines_; }
  void Append(std::string line) {
    lines_.push_back(std::move(line));
    Notify();
  }
  void DeleteFirst() {
    if (lines_.empty()) return;
    lines_.pop_front();
    Notify();
  }
  void Clear() {
    lines_.clear();
    Notify();
  }
  std::function<void()> onDblClick;

 private:
  std::deque<std::string> lines_;
};

class SaveDialog : public Model {
 public:
  std::string filter;
  std::string title;
};

// Bounds and limits of a top-level window.
class Window : public Control {
 public:
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  int MinWidth() const { return min_width_; }
  int MinHeight() const { return min_height_; }
  void SetMinSize(int min_width, int min_height);
  // Outer size minus client size: the frame the window manager adds, known
  // once the window is shown; `onFrameChange` tells when it becomes known.
  int FrameWidth() const { return frame_width_; }
  int FrameHeight() const { return frame_height_; }
  void SetFrame(int width, int height);
  // Asks for the window to be brought in front of the others; the view
  // answers every request it has not answered yet.
  void BringToFront() {
    ++front_requests_;
    Notify();
  }
  int FrontRequests() const { return front_requests_; }
  std::function<void()> onResize;
  std::function<void()> onFrameChange;

 private:
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  int min_width_ = 0;
  int min_height_ = 0;
  int frame_width_ = 0;
  int frame_height_ = 0;
  int front_requests_ = 0;
};

}  // namespace vantrope::ui
