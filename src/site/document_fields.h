// The page fields of a document: its form elements, its links and the text
// of its body, in that order.
#pragma once

#include <vector>

#include "site/cat_field.h"
#include "site/html_text_parser.h"
#include "site/web_browser.h"

namespace vantrope {

// Replaces `fields` with the records of `document`. A form element or link
// that lacks one of the properties a record needs is left out; a password
// input reads as empty; a document without a body has no text. The table
// counters start again at 0.
void ParseDocumentFields(const DomDocument& document, TableCounters& counters, std::vector<TCatField>& fields);

}  // namespace vantrope
