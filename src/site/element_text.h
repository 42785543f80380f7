// The text of the elements of a markup: the characters outside tags,
// trimmed of characters up to code 32. The runs of text are found once for
// the whole markup, so that an element's text takes time after its text
// rather than after its markup: deeply nested blocks stay cheap.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantrope {

class ElementText {
 public:
  enum class Form {
    kPlain,   // every character outside tags; a ">" that closes no tag is text
    kSpaced,  // as plain but without control characters, and a space after every ">"
  };

  // `markup` must outlive this object.
  ElementText(std::u16string_view markup, Form form);

  // The text, as UTF-8, of the element from the "<" of its opening tag at
  // `start` to the ">" of its closing tag just before `end`.
  std::string Of(size_t start, size_t end) const;

 private:
  struct Run {
    size_t start;
    size_t end;
    bool opens_with_tag_end;  // begins at the ">" of a tag, which gives only a space
  };

  void Append(const Run& run, std::u16string& text) const;

  std::u16string_view markup_;
  Form form_;
  std::vector<Run> runs_;             // stretches of the markup that give text, in order
  std::vector<size_t> filled_runs_;   // runs giving a character above code 32
};

}  // namespace vantrope
