#include "support/test_browser_forms.h"

#include <algorithm>
#include <cctype>

namespace vantrope::testing {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

bool IsListed(const HtmlNode& element) {
  if (element.IsElement("input")) return Lower(element.AttributeOr("type", "")) != "image";
  return element.IsElement("select") || element.IsElement("textarea") || element.IsElement("button");
}

std::string InputType(const HtmlNode& input) {
  static const char* const kTypes[] = {"hidden",   "text",  "search", "tel",      "url",   "email",
                                       "password", "date",  "month",  "week",     "time",  "datetime-local",
                                       "number",   "range", "color",  "checkbox", "radio", "file",
                                       "submit",   "image", "reset",  "button"};
  const std::string type = Lower(input.AttributeOr("type", ""));
  return std::any_of(std::begin(kTypes), std::end(kTypes), [&](const char* known) { return type == known; }) ? type
                                                                                                             : "text";
}

std::string ButtonType(const HtmlNode& button) {
  const std::string type = Lower(button.AttributeOr("type", ""));
  return type == "reset" || type == "button" ? type : "submit";
}

// The input types whose value is the value attribute itself.
bool ValueIsAttribute(const std::string& type) {
  return type == "hidden" || type == "submit" || type == "image" || type == "reset" || type == "button" ||
         type == "checkbox" || type == "radio";
}

// A valid floating-point number: -?digits(.digits)?([eE][+-]?digits)?, or .digits.
bool IsFloatingPointNumber(const std::string& text) {
  size_t i = 0;
  auto digits = [&] {
    const size_t start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    return i > start;
  };
  if (i < text.size() && text[i] == '-') ++i;
  const bool whole = digits();
  bool fraction = false;
  if (i < text.size() && text[i] == '.') {
    ++i;
    fraction = digits();
    if (!fraction) return false;
  }
  if (!whole && !fraction) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (!digits()) return false;
  }
  return i == text.size();
}

// What a typed or given value becomes in an input of `type`.
std::string Sanitize(const std::string& type, const std::string& value) {
  if (type == "number") return IsFloatingPointNumber(value) ? value : std::string();
  std::string clean;
  for (char c : value)
    if (c != '\r' && c != '\n') clean += c;
  return clean;
}

std::vector<HtmlNode*> Options(HtmlNode& select) {
  std::vector<HtmlNode*> options;
  for (HtmlNode* element : Descendants(select))
    if (element->IsElement("option")) options.push_back(element);
  return options;
}

std::string CollapsedText(const std::string& text) {
  std::string collapsed;
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
      blank = !collapsed.empty();
    } else {
      if (blank) collapsed += ' ';
      blank = false;
      collapsed += c;
    }
  }
  return collapsed;
}

std::string OptionValue(const HtmlNode& option) {
  const std::string* value = option.Attribute("value");
  return value != nullptr ? *value : CollapsedText(option.TextContent());
}

std::string InputValue(const HtmlNode& input) {
  const std::string type = InputType(input);
  if (type == "checkbox" || type == "radio") return input.AttributeOr("value", "on");
  if (ValueIsAttribute(type)) return input.AttributeOr("value", "");
  if (type == "file") return {};
  return input.dirty_value ? *input.dirty_value : Sanitize(type, input.AttributeOr("value", ""));
}

std::string SelectValue(const HtmlNode& select) {
  for (HtmlNode* option : Options(const_cast<HtmlNode&>(select)))
    if (option->selected) return OptionValue(*option);
  return {};
}

std::string TextareaValue(const HtmlNode& textarea) {
  return textarea.dirty_value ? *textarea.dirty_value : textarea.TextContent();
}

std::string Value(const HtmlNode& element) {
  if (element.IsElement("input")) return InputValue(element);
  if (element.IsElement("select")) return SelectValue(element);
  if (element.IsElement("textarea")) return TextareaValue(element);
  return element.AttributeOr("value", "");
}

}  // namespace

std::vector<std::vector<HtmlNode*>> DocumentForms(HtmlNode& root) {
  std::vector<std::vector<HtmlNode*>> forms;
  std::vector<HtmlNode*> of_no_form;
  for (HtmlNode* element : Descendants(root)) {
    if (IsListed(*element) && FormOf(*element) == nullptr) of_no_form.push_back(element);
    if (!element->IsElement("form")) continue;
    std::vector<HtmlNode*>& listed = forms.emplace_back();
    for (HtmlNode* inner : Descendants(*element))
      if (IsListed(*inner)) listed.push_back(inner);
  }
  if (!of_no_form.empty()) forms.push_back(std::move(of_no_form));
  return forms;
}

HtmlNode* FormOf(HtmlNode& element) {
  for (HtmlNode* node = element.parent; node != nullptr; node = node->parent)
    if (node->IsElement("form")) return node;
  return nullptr;
}

DomFormElement ReadFormElement(const HtmlNode& element) {
  DomFormElement read;
  read.id = element.AttributeOr("id", "");
  read.name = element.AttributeOr("name", "");
  if (element.IsElement("input"))
    read.type = InputType(element);
  else if (element.IsElement("select"))
    read.type = element.Attribute("multiple") != nullptr ? "select-multiple" : "select-one";
  else if (element.IsElement("textarea"))
    read.type = "textarea";
  else
    read.type = ButtonType(element);
  read.value = Value(element);
  return read;
}

bool WriteFormElement(HtmlNode& element, const std::string& value) {
  if (element.IsElement("select")) {
    bool found = false;
    for (HtmlNode* option : Options(element)) {
      option->selected = !found && OptionValue(*option) == value;
      found = found || option->selected;
    }
  } else if (element.IsElement("input")) {
    const std::string type = InputType(element);
    if (type == "file") return value.empty();
    if (ValueIsAttribute(type))
      element.SetAttribute("value", value);
    else
      element.dirty_value = Sanitize(type, value);
  } else if (element.IsElement("textarea")) {
    element.dirty_value = value;
  } else {
    element.SetAttribute("value", value);
  }
  return Value(element) == value;
}

ClickEffect ClickEffectOf(const HtmlNode& element) {
  std::string type;
  if (element.IsElement("button")) type = ButtonType(element);
  if (element.IsElement("input")) type = InputType(element);
  if (type == "submit") return ClickEffect::kSubmit;
  if (type == "reset") return ClickEffect::kReset;
  return ClickEffect::kNothing;
}

void ResetForm(HtmlNode& form) {
  for (HtmlNode* element : Descendants(form)) {
    element->dirty_value.reset();
    if (!element->IsElement("select") || element->Attribute("multiple") != nullptr) continue;
    // The last option marked selected wins; with none, the first one shows.
    std::vector<HtmlNode*> options = Options(*element);
    HtmlNode* chosen = options.empty() ? nullptr : options.front();
    for (HtmlNode* option : options)
      if (option->Attribute("selected") != nullptr) chosen = option;
    for (HtmlNode* option : options) option->selected = option == chosen;
  }
}

std::vector<std::pair<std::string, std::string>> FormDataSet(HtmlNode& form, const HtmlNode* submitter) {
  std::vector<std::pair<std::string, std::string>> fields;
  for (HtmlNode* element : Descendants(form)) {
    if (!IsListed(*element) || element->Attribute("disabled") != nullptr) continue;
    const std::string name = element->AttributeOr("name", "");
    if (name.empty()) continue;
    const DomFormElement read = ReadFormElement(*element);
    const ClickEffect effect = ClickEffectOf(*element);
    if (element->IsElement("button") || effect != ClickEffect::kNothing || *read.type == "button") {
      if (element == submitter) fields.emplace_back(name, *read.value);
      continue;
    }
    if ((*read.type == "checkbox" || *read.type == "radio") && element->Attribute("checked") == nullptr) continue;
    if (*read.type == "file") continue;
    if (element->IsElement("select")) {
      for (HtmlNode* option : Options(*element))
        if (option->selected) fields.emplace_back(name, OptionValue(*option));
      continue;
    }
    fields.emplace_back(name, *read.value);
  }
  return fields;
}

}  // namespace vantrope::testing
