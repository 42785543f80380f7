#include "site/page_actions.h"

#include "ui/money.h"
#include "site/page_search.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

// The element stands for the record when its id, name and type are the
// record's; an element missing any of them never does.
bool IsElementOf(const DomFormElement& element, const TCatField& record) {
  return element.id && element.name && element.type && *element.id == record.ID && *element.name == record.Ftype &&
         *element.type == record.Ftext;
}

}  // namespace

bool PageActions::CanActOn(uint16_t index) const {
  return index < page.WebFields.size() && !Trim(browser.LocationUrl()).empty();
}

uint16_t PageActions::WebSetValue(uint16_t index, const std::string& text) {
  if (!CanActOn(index) || page.WebFields[index].Kind != kKindForm) return 0;
  const std::optional<DomDocument> document = browser.ReadDocument();
  if (!document) return 0;
  const std::string value = Trim(text);
  uint16_t count = 0;
  for (size_t form = 0; form < document->forms.size(); ++form) {
    const auto& elements = document->forms[form].elements;
    for (size_t element = 0; element < elements.size(); ++element)
      if (IsElementOf(elements[element], page.WebFields[index]) && browser.SetElementValue(form, element, value))
        ++count;
  }
  return count;
}

bool PageActions::WebExecute(uint16_t index) {
  if (!CanActOn(index)) return false;
  const TCatField& record = page.WebFields[index];
  if (record.Kind == kKindLink) {
    const std::string address = Trim(record.Fsubdata);
    if (address.empty()) return false;
    browser_supervisor.NavigateUrl(address);
    return true;
  }
  if (record.Kind != kKindForm) return false;
  const std::optional<DomDocument> document = browser.ReadDocument();
  if (!document) return false;
  for (size_t form = 0; form < document->forms.size(); ++form) {
    const auto& elements = document->forms[form].elements;
    for (size_t element = 0; element < elements.size(); ++element)
      if (IsElementOf(elements[element], record) && browser.ClickElement(form, element)) return true;
  }
  return false;
}

int32_t PageActions::GetBrokerPercent(uint32_t stake, uint16_t slot) {
  const int32_t field = slot < page.ControlSlots.size() ? page.ControlSlots[slot].FieldIndex : -1;
  if (field < 0) return 0;
  const double price = CostTranslate(Trim(GetWebValue(page.WebFields, static_cast<uint16_t>(field))));
  // A stake of 0 has no percentage.
  if (price == 0 || stake == 0) return 0;
  page.BetPrice = price;
  return static_cast<int32_t>(RoundHalfEven(price / (stake / 100.0)));
}

}  // namespace vantrope
