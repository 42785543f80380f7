#include "site/html_text_parser.h"

#include <array>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "site/element_text.h"
#include "text/utf16.h"

namespace vantrope {

namespace {

// The markup is read as UTF-16, so that its characters count as the
// browser's own string counts them.
using Units = std::u16string_view;

// How far after its opening tag an element's closing tag is looked for.
constexpr size_t kEndSearchLength = 999999;

enum class Tag { P, Table, Tr, Th, Td, Div };

struct TagName {
  Tag tag;
  Units name;  // in upper case
};

constexpr std::array<TagName, 6> kTagNames = {{
    {Tag::P, u"P"},
    {Tag::Table, u"TABLE"},
    {Tag::Tr, u"TR"},
    {Tag::Th, u"TH"},
    {Tag::Td, u"TD"},
    {Tag::Div, u"DIV"},
}};

// Upper case of a character as far as ASCII text is concerned. Of the whole
// Unicode case mapping only a-z, U+0131 (dotless i) and U+017F (long s)
// become ASCII letters, and no ASCII character becomes anything else, so
// this is exact for comparisons with the ASCII tag names.
char16_t AsciiUpper(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - u'a' + u'A');
  if (c == u'\u0131') return u'I';
  if (c == u'\u017F') return u'S';
  return c;
}

// Whether the characters of `text` from `at` on spell `name` in upper case.
bool SpellsName(Units text, size_t at, Units name) {
  if (text.size() - at < name.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    if (AsciiUpper(text[at + i]) != name[i]) return false;
  }
  return true;
}

std::optional<Tag> TagOfName(Units name) {
  for (const auto& [tag, upper_name] : kTagNames) {
    if (name.size() == upper_name.size() && SpellsName(name, 0, upper_name)) return tag;
  }
  return std::nullopt;
}

size_t IndexOf(Tag tag) { return static_cast<size_t>(tag); }

// The positions of every closing tag of interest, found in one sweep, so
// that finding an element's end does not search the rest of the markup.
class ClosingTags {
 public:
  explicit ClosingTags(Units markup) {
    for (size_t i = 0; i + 1 < markup.size(); ++i) {
      if (markup[i] != u'<' || markup[i + 1] != u'/') continue;
      for (const auto& [tag, name] : kTagNames) {
        const size_t close = i + 2 + name.size();
        if (close < markup.size() && markup[close] == u'>' && SpellsName(markup, i + 2, name)) {
          starts_[IndexOf(tag)].push_back(i);
        }
      }
    }
  }

  // One past the ">" of the first closing tag of `tag` that starts at or
  // after `from` and ends by `limit`. Calls must come with `from` rising.
  std::optional<size_t> FirstEnd(Tag tag, size_t from, size_t limit) {
    const std::vector<size_t>& starts = starts_[IndexOf(tag)];
    size_t& next = next_[IndexOf(tag)];
    while (next < starts.size() && starts[next] < from) ++next;
    if (next == starts.size()) return std::nullopt;
    const size_t end = starts[next] + kTagNames[IndexOf(tag)].name.size() + 3;  // "</" name ">"
    if (end > limit) return std::nullopt;
    return end;
  }

 private:
  std::array<std::vector<size_t>, kTagNames.size()> starts_;
  std::array<size_t, kTagNames.size()> next_{};
};

TCatField TextRecord(uint8_t kind, std::string text) {
  TCatField record;
  record.Kind = kind;
  record.Fsubdata = std::move(text);
  return record;
}

class TextPass {
 public:
  TextPass(Units markup, TableCounters& counters, std::vector<TCatField>& fields)
      : markup_(markup),
        counters_(counters),
        fields_(fields),
        closing_tags_(markup),
        plain_text_(markup, ElementText::Form::kPlain),
        spaced_text_(markup, ElementText::Form::kSpaced) {
    for (const TCatField& field : fields_) {
      if (field.Kind == kKindText || field.Kind == kKindDiv) shown_texts_.insert(field.Fsubdata);
    }
  }

  void Run() {
    // The tag reader: 0 outside a tag, 1 in its name, 2 in its attributes,
    // 3 at its end. The name ends at a space or ">"; a "<" inside a tag is
    // just another character of it.
    int state = 0;
    size_t tag_start = 0;
    size_t name_end = 0;
    for (size_t i = 0; i < markup_.size(); ++i) {
      const char16_t c = markup_[i];
      if (state == 0) {
        if (c != u'<') continue;
        tag_start = i;
        state = 1;
      }
      if (state == 1) {
        if (c == u'>' || c == u' ') {
          name_end = i;
          state = c == u'>' ? 3 : 2;
        }
      } else if (state == 2 && c == u'>') {
        state = 3;
      }
      if (state == 3) {
        OnTag(tag_start, markup_.substr(tag_start + 1, name_end - tag_start - 1));
        state = 0;
      }
    }
  }

 private:
  // Closing tags and names with a "/" never spell a tag name of interest,
  // and other tags are ignored whether they end or not.
  void OnTag(size_t start, Units name) {
    const std::optional<Tag> tag = TagOfName(name);
    if (!tag) return;
    const std::optional<size_t> end = closing_tags_.FirstEnd(*tag, start + 1, start + 1 + kEndSearchLength);
    if (!end) return;
    switch (*tag) {
      case Tag::P:
        AddParagraph(plain_text_.Of(start, *end));
        break;
      case Tag::Table:
        ++counters_.TableNo;
        counters_.RowNo = 0;
        counters_.ColNo = 0;
        break;
      case Tag::Tr:
        ++counters_.RowNo;
        counters_.ColNo = 0;
        break;
      case Tag::Th:
        AddCell(kKindTabHeader, plain_text_.Of(start, *end));
        break;
      case Tag::Td:
        AddCell(kKindTable, plain_text_.Of(start, *end));
        break;
      case Tag::Div:
        AddBlock(spaced_text_.Of(start, *end));
        break;
    }
  }

  void AddParagraph(std::string text) {
    if (text.empty()) return;
    shown_texts_.insert(text);
    fields_.push_back(TextRecord(kKindText, std::move(text)));
  }

  // An empty cell still takes its column number.
  void AddCell(uint8_t kind, std::string text) {
    ++counters_.ColNo;
    if (text.empty()) return;
    TCatField record = TextRecord(kind, std::move(text));
    record.ID = std::to_string(counters_.TableNo);
    record.Ftype = std::to_string(counters_.RowNo);
    record.Ftext = std::to_string(counters_.ColNo);
    fields_.push_back(std::move(record));
  }

  // A block is shown once, and not at all when a paragraph already shows its text.
  void AddBlock(std::string text) {
    if (text.empty() || !shown_texts_.insert(text).second) return;
    fields_.push_back(TextRecord(kKindDiv, std::move(text)));
  }

  Units markup_;
  TableCounters& counters_;
  std::vector<TCatField>& fields_;
  ClosingTags closing_tags_;
  ElementText plain_text_;
  ElementText spaced_text_;
  std::unordered_set<std::string> shown_texts_;  // Fsubdata of the TEXT and DIV records in the list
};

}  // namespace

void HtmlTextParser(std::string_view markup, TableCounters& counters, std::vector<TCatField>& fields) {
  const std::u16string units = Utf8ToUtf16(markup);
  if (units.size() < 3) return;
  TextPass(units, counters, fields).Run();
}

}  // namespace vantrope
