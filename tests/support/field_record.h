// A page field record made in one line, for tests.
#pragma once

#include <cstdint>
#include <string>

#include "site/cat_field.h"

namespace vantrope::testing {

inline TCatField Record(uint8_t kind, std::string id, std::string ftype, std::string ftext, std::string fsubdata) {
  TCatField field;
  field.Kind = kind;
  field.ID = std::move(id);
  field.Ftype = std::move(ftype);
  field.Ftext = std::move(ftext);
  field.Fsubdata = std::move(fsubdata);
  return field;
}

}  // namespace vantrope::testing
