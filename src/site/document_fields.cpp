#include "site/document_fields.h"

#include "text/cp1251.h"

namespace vantrope {

namespace {

// ID, Ftype and Ftext are compared with settings texts, which code page
// 1251 holds: what it cannot hold becomes "?" here, as it does there.
std::string AnsiText(const std::string& text) { return Cp1251ToUtf8(Utf8ToCp1251(text)); }

TCatField DocumentRecord(uint8_t kind, const std::string& id, const std::string& ftype, const std::string& ftext,
                         const std::string& fsubdata) {
  TCatField record;
  record.Kind = kind;
  record.ID = AnsiText(id);
  record.Ftype = AnsiText(ftype);
  record.Ftext = AnsiText(ftext);
  record.Fsubdata = fsubdata;
  return record;
}

// A password typed into the page is never read back: it would show in the
// parsed page, the debug window's grids and the template lines copied there.
bool IsPasswordInput(const std::string& type) { return Cp1251EqualIgnoringCase(type, "password"); }

}  // namespace

void ParseDocumentFields(const DomDocument& document, TableCounters& counters, std::vector<TCatField>& fields) {
  fields.clear();
  for (const DomForm& form : document.forms) {
    for (const DomFormElement& element : form.elements) {
      if (!element.id || !element.name || !element.type || !element.value) continue;
      const std::string& value = IsPasswordInput(*element.type) ? std::string() : *element.value;
      fields.push_back(DocumentRecord(kKindForm, *element.id, *element.name, *element.type, value));
    }
  }
  for (const DomLink& link : document.links) {
    if (!link.id || !link.title || !link.inner_text || !link.address) continue;
    fields.push_back(DocumentRecord(kKindLink, *link.id, *link.title, *link.inner_text, *link.address));
  }
  counters = TableCounters{};
  HtmlTextParser(document.body_html.value_or(""), counters, fields);
}

}  // namespace vantrope
