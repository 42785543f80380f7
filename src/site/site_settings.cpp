#include "site/site_settings.h"

#include <algorithm>
#include <cstdint>

#include "site/url_host.h"
#include "text/cp1251.h"

namespace vantrope {

namespace {

constexpr size_t kMaxPageFields = 255;
constexpr size_t kMinPageControls = 21;

TCatField EmptyTemplate(uint8_t page_no) {
  TCatField field;
  field.Kind = 255;
  field.PageNo = page_no;
  return field;
}

std::vector<TCatField> LoadTemplates(const std::vector<std::string>& lines, uint8_t empty_page_no, size_t min_count,
                                     size_t max_count) {
  std::vector<TCatField> templates;
  for (size_t i = 0; i < std::min(lines.size(), max_count); ++i) {
    templates.push_back(EmptyTemplate(empty_page_no));
    SrtToFieldData(lines[i], templates.back());
  }
  while (templates.size() < min_count) templates.push_back(EmptyTemplate(empty_page_no));
  return templates;
}

}  // namespace

void SiteSettings::LoadPageTemplates() {
  PageFields = LoadTemplates(PageFieldTemplates, 0, 0, kMaxPageFields);
  PageControls = LoadTemplates(PageControlTemplates, 99, kMinPageControls, SIZE_MAX);
}

const std::string& SiteSettings::PageNameOf(size_t page) const {
  static const std::string empty;
  return page < PageNames.size() ? PageNames[page] : empty;
}

bool SiteSettings::IsSiteHost(const std::string& host) const {
  if (host.empty()) return false;
  for (const std::string* address : {&MainUrl, &ReturnUrl, &LogOutUrl, &PortFolioUrl})
    if (Cp1251EqualIgnoringCase(UrlHostName(*address), host)) return true;
  return false;
}

}  // namespace vantrope
