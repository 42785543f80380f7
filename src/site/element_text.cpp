#include "site/element_text.h"

#include <algorithm>

#include "text/utf16.h"

namespace vantrope {

ElementText::ElementText(std::u16string_view markup, Form form) : markup_(markup), form_(form) {
  // Whether a character is inside a tag depends only on the last "<" or ">"
  // before it, so one sweep serves every element, each of which starts at a "<".
  bool in_tag = false;
  bool in_run = false;
  for (size_t i = 0; i < markup.size(); ++i) {
    const char16_t c = markup[i];
    bool gives_text = false;
    bool filled = false;
    bool tag_end = false;
    if (c == u'<') {
      in_tag = true;
    } else if (c == u'>') {
      tag_end = in_tag;
      gives_text = !tag_end || form == Form::kSpaced;
      filled = !tag_end;
      in_tag = false;
    } else {
      gives_text = !in_tag && (form == Form::kPlain || c >= 32);
      filled = gives_text && c > 32;
    }
    if (!gives_text) {
      in_run = false;
      continue;
    }
    // The ">" ending a tag follows a character of the tag, so it always starts a run.
    if (!in_run) runs_.push_back({i, i, tag_end});
    in_run = true;
    runs_.back().end = i + 1;
    if (filled && (filled_runs_.empty() || filled_runs_.back() != runs_.size() - 1)) {
      filled_runs_.push_back(runs_.size() - 1);
    }
  }
}

std::string ElementText::Of(size_t start, size_t end) const {
  // The runs that start inside the element before its closing ">": the tag
  // names hold no text, and the run the closing ">" starts gives the element
  // only a space, which the trim removes.
  const auto starts_before = [this](size_t run, size_t position) { return runs_[run].start < position; };
  const auto first = std::lower_bound(filled_runs_.begin(), filled_runs_.end(), start, starts_before);
  const auto last = std::lower_bound(first, filled_runs_.end(), end - 1, starts_before);
  if (first == last) return "";

  // Blank runs between filled ones are text inside the element.
  std::u16string text;
  for (size_t run = *first; run <= *(last - 1); ++run) Append(runs_[run], text);
  size_t from = 0;
  size_t to = text.size();
  while (from < to && text[from] <= 32) ++from;
  while (to > from && text[to - 1] <= 32) --to;
  return Utf16ToUtf8(std::u16string_view(text).substr(from, to - from));
}

void ElementText::Append(const Run& run, std::u16string& text) const {
  const std::u16string_view chars = markup_.substr(run.start, run.end - run.start);
  if (form_ == Form::kPlain) {
    text += chars;
    return;
  }
  for (size_t i = 0; i < chars.size(); ++i) {
    if (chars[i] != u'>') {
      text += chars[i];
      continue;
    }
    if (i > 0 || !run.opens_with_tag_end) text += u'>';
    text += u' ';
  }
}

}  // namespace vantrope
