// The text pass written as plainly as it is described, to check the real one
// against: every tag copies and upper-cases the rest of the markup, every
// block looks through the whole list for its text. Slow on big pages.
#pragma once

#include <string>
#include <vector>

#include "site/cat_field.h"
#include "site/html_text_parser.h"

namespace vantrope {

void LiteralHtmlTextParser(const std::string& markup, TableCounters& counters, std::vector<TCatField>& fields);

}  // namespace vantrope
