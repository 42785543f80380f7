#include "literal_text_parser.h"

#include <locale.h>
#include <wctype.h>

#include <stdexcept>

#include "text/utf16.h"

namespace vantrope {

namespace {

// The markup as the browser's UTF-16 string.
using Text = std::u16string;

// Unicode's own case mapping, one UTF-16 unit at a time, as the platform's
// wide-string upper case works.
Text UpperCase(const Text& text) {
  static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
  if (utf8 == locale_t{}) throw std::runtime_error("the C.UTF-8 locale is missing");
  Text upper = text;
  for (char16_t& c : upper) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const wint_t mapped = towupper_l(c, utf8);
    if (mapped <= 0xFFFF) c = static_cast<char16_t>(mapped);
  }
  return upper;
}

Text TrimLowCodes(const Text& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && text[first] <= 32) ++first;
  while (last > first && text[last - 1] <= 32) --last;
  return text.substr(first, last - first);
}

Text PlainText(const Text& element) {
  Text text;
  bool tag = false;
  for (const char16_t c : element) {
    if (c == u'<') tag = true;
    if (!tag) text += c;
    if (c == u'>') tag = false;
  }
  return TrimLowCodes(text);
}

Text SpacedText(const Text& element) {
  Text text;
  bool tag = false;
  for (const char16_t c : element) {
    if (c == u'<') tag = true;
    if (!tag && c >= 32) text += c;
    if (c == u'>') {
      tag = false;
      text += u' ';
    }
  }
  return TrimLowCodes(text);
}

TCatField Record(uint8_t kind, const std::string& id, const std::string& ftype, const std::string& ftext,
                 const Text& text) {
  TCatField record;
  record.Kind = kind;
  record.ID = id;
  record.Ftype = ftype;
  record.Ftext = ftext;
  record.Fsubdata = Utf16ToUtf8(text);
  return record;
}

void HandleElement(const Text& upper_tag, const Text& element, TableCounters& counters,
                   std::vector<TCatField>& fields) {
  if (upper_tag == u"<P>") {
    const Text text = PlainText(element);
    if (!text.empty()) fields.push_back(Record(kKindText, "", "", "", text));
  } else if (upper_tag == u"<TABLE>") {
    counters.TableNo = static_cast<uint16_t>(counters.TableNo + 1);
    counters.RowNo = 0;
    counters.ColNo = 0;
  } else if (upper_tag == u"<TR>") {
    counters.RowNo = static_cast<uint16_t>(counters.RowNo + 1);
    counters.ColNo = 0;
  } else if (upper_tag == u"<TH>" || upper_tag == u"<TD>") {
    counters.ColNo = static_cast<uint16_t>(counters.ColNo + 1);
    const Text text = PlainText(element);
    if (!text.empty()) {
      fields.push_back(Record(upper_tag == u"<TH>" ? kKindTabHeader : kKindTable, std::to_string(counters.TableNo),
                              std::to_string(counters.RowNo), std::to_string(counters.ColNo), text));
    }
  } else if (upper_tag == u"<DIV>") {
    const Text text = SpacedText(element);
    if (text.empty()) return;
    const std::string utf8 = Utf16ToUtf8(text);
    for (const TCatField& field : fields) {
      if ((field.Kind == kKindDiv || field.Kind == kKindText) && field.Fsubdata == utf8) return;
    }
    fields.push_back(Record(kKindDiv, "", "", "", text));
  }
}

}  // namespace

void LiteralHtmlTextParser(const std::string& markup, TableCounters& counters, std::vector<TCatField>& fields) {
  const Text s = Utf8ToUtf16(markup);
  if (s.size() < 3) return;
  int state = 0;
  Text tag;
  size_t tag_start = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (state == 0 && c == u'<') {
      tag_start = i;
      tag.clear();
      state = 1;
    }
    if (state == 1) {
      if (c == u'>') {
        tag += u'>';
        state = 3;
      } else if (c == u' ') {
        tag += u'>';
        state = 2;
      } else {
        tag += c;
      }
    } else if (state == 2) {
      if (c == u'>') state = 3;
    }
    if (state == 3) {
      if (tag.size() >= 3 && tag.find(u'/') == Text::npos) {
        const Text upper_tag = UpperCase(tag);
        const Text rest = UpperCase(s.substr(tag_start + 1, 999999));
        const Text closing = u"</" + upper_tag.substr(1);
        const size_t found = rest.find(closing);
        if (found != Text::npos) {
          HandleElement(upper_tag, s.substr(tag_start, 1 + found + closing.size()), counters, fields);
        }
      }
      state = 0;
    }
  }
}

}  // namespace vantrope
