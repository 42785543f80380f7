// Reading any bytes as a one-line field and writing the record back: no
// crash, no undefined behaviour, and what is written reads back as the
// record it came from.
#include <cstddef>
#include <cstdint>
#include <string>

#include "site/cat_field.h"
#include "text/utf8.h"

namespace {

bool WritesBack(const vantrope::TCatField& field) {
  for (const uint8_t mode : field.MatchModes) {
    if (mode > 9) return false;
  }
  for (const std::string* text : {&field.ID, &field.Ftype, &field.Ftext, &field.Fsubdata}) {
    if (text->find('>') != std::string::npos) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantrope;
  const std::string line(reinterpret_cast<const char*>(data), size);
  TCatField field;
  field.Kind = 255;
  SrtToFieldData(line, field);
  const std::string written = FieldDataToStr(field);

  TCatField again;
  SrtToFieldData(written, again);
  if (again.Kind != field.Kind || again.PageNo != 0) __builtin_trap();
  if (!WritesBack(field)) return 0;
  if (again.MatchModes != field.MatchModes || again.ID != Trim(field.ID) || again.Ftype != Trim(field.Ftype) ||
      again.Ftext != Trim(field.Ftext)) {
    __builtin_trap();
  }
  // Fsubdata comes back trimmed, and cut only where the line reached 248
  // characters before its closing brackets.
  const std::string subdata = Trim(field.Fsubdata);
  if (subdata.compare(0, again.Fsubdata.size(), again.Fsubdata) != 0) __builtin_trap();
  const size_t length = Utf8Length(written);
  if (again.Fsubdata.size() < subdata.size() && length < 250) __builtin_trap();
  if (!again.Fsubdata.empty() && length > 250) __builtin_trap();
  return 0;
}
