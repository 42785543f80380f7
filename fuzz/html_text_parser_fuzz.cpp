// The text pass on any bytes: no crash, no undefined behaviour, and on inputs
// small enough for it the same records as the plain reading of its rules.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "literal_text_parser.h"
#include "site/html_text_parser.h"

namespace {

// The plain reading copies the rest of the markup at every tag.
constexpr size_t kLongestCompared = 2048;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantrope;
  const std::string markup(reinterpret_cast<const char*>(data), size);
  std::vector<TCatField> fields;
  TableCounters counters;
  HtmlTextParser(markup, counters, fields);
  if (size > kLongestCompared) return 0;

  std::vector<TCatField> literal_fields;
  TableCounters literal_counters;
  LiteralHtmlTextParser(markup, literal_counters, literal_fields);
  if (fields != literal_fields || counters.TableNo != literal_counters.TableNo ||
      counters.RowNo != literal_counters.RowNo || counters.ColNo != literal_counters.ColNo) {
    __builtin_trap();
  }
  return 0;
}
