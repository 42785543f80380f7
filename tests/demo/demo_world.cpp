#include "demo_world.h"

#include "site/document_fields.h"
#include "site/page_search.h"

namespace vantrope::testing {

namespace {

TCatField Template(const std::string& line) {
  TCatField pattern;
  SrtToFieldData(line, pattern);
  return pattern;
}

}  // namespace

DemoWorld::DemoWorld(demo::SiteOptions options) : site(std::move(options), site_clock) {}

void DemoWorld::Open(const std::string& url) {
  browser.Navigate(url);
  Wait(TestBrowser::kDefaultLoadMs);
}

std::vector<TCatField> DemoWorld::Fields() {
  std::vector<TCatField> fields;
  TableCounters counters;
  if (std::optional<DomDocument> document = browser.ReadDocument()) ParseDocumentFields(*document, counters, fields);
  return fields;
}

int32_t DemoWorld::Find(const std::string& template_line) { return SearchWebData(Fields(), Template(template_line)); }

std::string DemoWorld::Value(const std::string& template_line) {
  const std::vector<TCatField> fields = Fields();
  const int32_t index = SearchWebData(fields, Template(template_line));
  return index < 0 ? std::string() : GetWebValue(fields, static_cast<size_t>(index));
}

bool DemoWorld::Set(const std::string& template_line, const std::string& value) {
  const std::vector<TCatField> fields = Fields();
  const int32_t index = SearchWebData(fields, Template(template_line));
  const std::optional<DomDocument> document = browser.ReadDocument();
  if (index < 0 || fields[index].Kind != kKindForm || !document) return false;
  const TCatField& record = fields[index];
  bool set = false;
  for (size_t form = 0; form < document->forms.size(); ++form)
    for (size_t element = 0; element < document->forms[form].elements.size(); ++element) {
      const DomFormElement& e = document->forms[form].elements[element];
      if (e.id == record.ID && e.name == record.Ftype && e.type == record.Ftext)
        set = browser.SetElementValue(form, element, value) || set;
    }
  return set;
}

bool DemoWorld::Press(const std::string& template_line) {
  const std::vector<TCatField> fields = Fields();
  const int32_t index = SearchWebData(fields, Template(template_line));
  if (index < 0) return false;
  const TCatField& record = fields[index];
  bool pressed = false;
  if (record.Kind == kKindLink) {
    browser.Navigate(record.Fsubdata);
    pressed = true;
  } else if (const std::optional<DomDocument> document = browser.ReadDocument(); document && record.Kind == kKindForm) {
    for (size_t form = 0; form < document->forms.size() && !pressed; ++form)
      for (size_t element = 0; element < document->forms[form].elements.size() && !pressed; ++element) {
        const DomFormElement& e = document->forms[form].elements[element];
        if (e.id == record.ID && e.name == record.Ftype && e.type == record.Ftext)
          pressed = browser.ClickElement(form, element);
      }
  }
  if (pressed) Wait(TestBrowser::kDefaultLoadMs);
  return pressed;
}

demo::Response Ask(demo::BrokerSite& site, const std::string& method, const std::string& url, const std::string& body,
                   const std::string& cookie) {
  const std::optional<BrowserUrl> parsed = ParseUrl(url);
  demo::Request request;
  request.method = method;
  request.host = parsed->host;
  request.path = parsed->path;
  request.query = parsed->query.value_or("");
  request.body = body;
  request.cookie = cookie;
  return site.Handle(request);
}

std::string SessionCookieOf(const demo::Response& response) {
  for (const auto& [name, value] : response.headers)
    if (name == "Set-Cookie" && value.rfind("vt_session=", 0) == 0) return value.substr(0, value.find(';'));
  return {};
}

std::string FormById(const std::string& id) { return "00<22000><0><" + id + "><><><>"; }
std::string LinkById(const std::string& id) { return "00<22000><1><" + id + "><><><>"; }
std::string TextContaining(uint8_t kind, const std::string& text) {
  return "00<20001><" + std::to_string(kind) + "><><><><" + text + ">";
}
std::string TableCell(int table, int row, int column) {
  return "00<22220><3><" + std::to_string(table) + "><" + std::to_string(row) + "><" + std::to_string(column) + "><>";
}

}  // namespace vantrope::testing
