// Forms the way a browser's document object model shows and changes them:
// which elements a form lists, their id, name, type and value, what setting
// a value and clicking do, and what a submission sends.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "site/web_browser.h"
#include "support/test_browser_dom.h"

namespace vantrope::testing {

// The listed elements of each form (input but an image button, select,
// textarea, button), in tree order, for every form in tree order; then
// those of no form, as one more.
std::vector<std::vector<HtmlNode*>> DocumentForms(HtmlNode& root);
// The form an element belongs to: its nearest form ancestor, or nullptr.
HtmlNode* FormOf(HtmlNode& element);

// id and name read as empty when absent; type in lowercase ("select-one",
// "submit", ...); value as the value property reads.
DomFormElement ReadFormElement(const HtmlNode& element);

// `element.value = value`: true when the element reads the value back,
// which a select does only for one of its options and a number input only
// for a number.
bool WriteFormElement(HtmlNode& element, const std::string& value);

enum class ClickEffect { kNothing, kSubmit, kReset };
ClickEffect ClickEffectOf(const HtmlNode& element);

// The values the markup gives: typed values forgotten, each select's
// selection as its options say.
void ResetForm(HtmlNode& form);

// The name and value pairs a submission by `submitter` sends.
std::vector<std::pair<std::string, std::string>> FormDataSet(HtmlNode& form, const HtmlNode* submitter);

}  // namespace vantrope::testing
