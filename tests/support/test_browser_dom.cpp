#include "support/test_browser_dom.h"

#include <gumbo.h>

#include <algorithm>
#include <cctype>

namespace vantrope::testing {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string TagName(const GumboElement& element) {
  if (element.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(element.tag);
  GumboStringPiece original = element.original_tag;
  gumbo_tag_from_original_text(&original);
  return Lower(std::string(original.data, original.length));
}

void Convert(const GumboNode& from, HtmlNode& to) {
  const GumboVector* children = nullptr;
  if (from.type == GUMBO_NODE_DOCUMENT) {
    children = &from.v.document.children;
  } else {
    const GumboElement& element = from.v.element;
    to.tag = TagName(element);
    for (unsigned i = 0; i < element.attributes.length; ++i) {
      const auto* attribute = static_cast<const GumboAttribute*>(element.attributes.data[i]);
      to.attributes.emplace_back(attribute->name, attribute->value);
    }
    children = &element.children;
  }
  for (unsigned i = 0; i < children->length; ++i) {
    const auto* child = static_cast<const GumboNode*>(children->data[i]);
    auto node = std::make_unique<HtmlNode>();
    node->parent = &to;
    switch (child->type) {
      case GUMBO_NODE_ELEMENT:
      case GUMBO_NODE_TEMPLATE:
        Convert(*child, *node);
        break;
      case GUMBO_NODE_COMMENT:
        node->kind = HtmlNode::Kind::kComment;
        node->text = child->v.text.text;
        break;
      default:  // text, whitespace, CDATA
        node->kind = HtmlNode::Kind::kText;
        node->text = child->v.text.text;
        break;
    }
    to.children.push_back(std::move(node));
  }
}

bool IsVoid(const std::string& tag) {
  static const char* const kVoid[] = {"area",  "base",  "basefont", "bgsound", "br",    "col",
                                      "embed", "frame", "hr",       "img",     "input", "keygen",
                                      "link",  "meta",  "param",    "source",  "track", "wbr"};
  return std::any_of(std::begin(kVoid), std::end(kVoid), [&](const char* name) { return tag == name; });
}

bool HoldsRawText(const HtmlNode* parent) {
  static const char* const kRaw[] = {"style",   "script",   "xmp",       "iframe",
                                     "noembed", "noframes", "plaintext", "noscript"};
  return parent != nullptr && parent->kind == HtmlNode::Kind::kElement &&
         std::any_of(std::begin(kRaw), std::end(kRaw), [&](const char* name) { return parent->tag == name; });
}

// U+00A0 is written as "&nbsp;".
std::string Escape(const std::string& text, bool attribute) {
  std::string escaped;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '&') {
      escaped += "&amp;";
    } else if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0') {
      escaped += "&nbsp;";
      ++i;
    } else if (c == '<') {
      escaped += "&lt;";
    } else if (c == '>') {
      escaped += "&gt;";
    } else if (c == '"' && attribute) {
      escaped += "&quot;";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

void Serialize(const HtmlNode& node, std::string& out) {
  for (const auto& child : node.children) {
    if (child->kind == HtmlNode::Kind::kText) {
      out += HoldsRawText(&node) ? child->text : Escape(child->text, false);
    } else if (child->kind == HtmlNode::Kind::kComment) {
      out += "<!--" + child->text + "-->";
    } else {
      out += "<" + child->tag;
      for (const auto& [name, value] : child->attributes) out += " " + name + "=\"" + Escape(value, true) + "\"";
      out += ">";
      if (IsVoid(child->tag)) continue;
      Serialize(*child, out);
      out += "</" + child->tag + ">";
    }
  }
}

void CollectElements(HtmlNode& node, std::vector<HtmlNode*>& elements) {
  for (const auto& child : node.children) {
    if (child->kind != HtmlNode::Kind::kElement) continue;
    elements.push_back(child.get());
    CollectElements(*child, elements);
  }
}

}  // namespace

const std::string* HtmlNode::Attribute(std::string_view name) const {
  for (const auto& attribute : attributes)
    if (attribute.first == name) return &attribute.second;
  return nullptr;
}

std::string HtmlNode::AttributeOr(std::string_view name, std::string_view fallback) const {
  const std::string* value = Attribute(name);
  return value != nullptr ? *value : std::string(fallback);
}

void HtmlNode::SetAttribute(std::string_view name, std::string value) {
  for (auto& attribute : attributes)
    if (attribute.first == name) {
      attribute.second = std::move(value);
      return;
    }
  attributes.emplace_back(std::string(name), std::move(value));
}

std::string HtmlNode::TextContent() const {
  if (kind == Kind::kText) return text;
  std::string content;
  if (kind == Kind::kElement)
    for (const auto& child : children) content += child->TextContent();
  return content;
}

std::vector<HtmlNode*> Descendants(HtmlNode& node) {
  std::vector<HtmlNode*> elements;
  CollectElements(node, elements);
  return elements;
}

std::string InnerHtml(const HtmlNode& node) {
  std::string out;
  Serialize(node, out);
  return out;
}

HtmlDocument::HtmlDocument(std::string_view html) {
  GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size());
  Convert(*output->document, root_);
  gumbo_destroy_output(&kGumboDefaultOptions, output);
}

HtmlNode* HtmlDocument::Body() {
  for (HtmlNode* element : Descendants(root_))
    if (element->IsElement("body")) return element;
  return nullptr;
}

}  // namespace vantrope::testing
