// The test browser's document: the tree an HTML5 parser builds from a page
// (gumbo, which follows the same parsing rules as the browsers), kept
// mutable for the form state, and written back as body.innerHTML is.
// Known difference: gumbo puts white space that stands right before a
// closing form tag after the form, where browsers keep it inside.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantrope::testing {

struct HtmlNode {
  enum class Kind { kElement, kText, kComment };

  Kind kind = Kind::kElement;
  std::string tag;  // an element's lowercase name
  std::vector<std::pair<std::string, std::string>> attributes;
  std::string text;  // of a text or a comment
  HtmlNode* parent = nullptr;
  std::vector<std::unique_ptr<HtmlNode>> children;

  // Form state that changes without changing the markup.
  std::optional<std::string> dirty_value;  // an input's or textarea's typed value
  bool selected = false;                   // an option's selectedness

  bool IsElement(std::string_view name) const { return kind == Kind::kElement && tag == name; }
  const std::string* Attribute(std::string_view name) const;
  std::string AttributeOr(std::string_view name, std::string_view fallback) const;
  void SetAttribute(std::string_view name, std::string value);
  std::string TextContent() const;
};

// Every element under `node` (not `node` itself) in tree order.
std::vector<HtmlNode*> Descendants(HtmlNode& node);

// The markup of the node's children, by the HTML serialization rules.
std::string InnerHtml(const HtmlNode& node);

class HtmlDocument {
 public:
  explicit HtmlDocument(std::string_view html);

  HtmlNode& Root() { return root_; }
  HtmlNode* Body();

 private:
  HtmlNode root_;
};

}  // namespace vantrope::testing
