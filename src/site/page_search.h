// Finding and reading records of the parsed page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "site/cat_field.h"

namespace vantrope {

// Index of the first record that meets every criterion of the template; -1
// when none does, or 0 for an optional control (page 99) that is missing.
int32_t SearchWebData(const std::vector<TCatField>& fields, const TCatField& pattern);

// The record's value as text: the visible text of a link, the trimmed
// Fsubdata of the other kinds; empty for an index beyond the list.
std::string GetWebValue(const std::vector<TCatField>& fields, size_t index);

// Money and number text of the page to a number; no value when it is not one.
std::optional<double> ReadMoney(const std::string& text);
// The same, 0 when the text is not a number.
double CostTranslate(const std::string& text);

}  // namespace vantrope
