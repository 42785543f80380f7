#include "site/web_tables.h"

#include <algorithm>

#include "text/utf8.h"

namespace vantrope {

namespace {

bool IsCell(const TCatField& field) { return field.Kind == kKindTable || field.Kind == kKindTabHeader; }

bool IsAddressable(const std::vector<TCatField>& fields, uint16_t table) {
  return !fields.empty() && table <= GetWebTableCount(fields);
}

}  // namespace

uint16_t GetWebTableCount(const std::vector<TCatField>& fields) {
  int32_t highest = 0;
  for (const TCatField& field : fields) {
    if (IsCell(field)) highest = std::max(highest, IntegerOrZero(field.ID));
  }
  return static_cast<uint16_t>(highest);
}

std::string GetWebTableHeader(const std::vector<TCatField>& fields, uint16_t table, uint16_t column) {
  if (table == 0 || column == 0 || !IsAddressable(fields, table)) return "";
  for (const TCatField& field : fields) {
    if (field.Kind == kKindTabHeader && IntegerOrZero(field.ID) == table && IntegerOrZero(field.Ftext) == column) {
      return Trim(field.Fsubdata);
    }
  }
  return "";
}

std::string GetWebTableData(const std::vector<TCatField>& fields, uint16_t table, uint16_t row, uint16_t column) {
  if (table == 0 || row == 0 || column == 0 || !IsAddressable(fields, table)) return "";
  for (const TCatField& field : fields) {
    if (field.Kind == kKindTable && IntegerOrZero(field.ID) == table && IntegerOrZero(field.Ftype) == row &&
        IntegerOrZero(field.Ftext) == column) {
      return Trim(field.Fsubdata);
    }
  }
  return "";
}

}  // namespace vantrope
