#include "site/url_host.h"

namespace vantrope {

std::string UrlHostName(std::string_view url) {
  const size_t scheme_end = url.find("://");
  if (scheme_end == std::string_view::npos) return {};
  std::string_view authority = url.substr(scheme_end + 3);
  authority = authority.substr(0, authority.find_first_of("/?#"));
  const size_t at = authority.rfind('@');
  if (at != std::string_view::npos) authority.remove_prefix(at + 1);
  const size_t port = authority.starts_with('[') ? authority.find(':', authority.find(']')) : authority.find(':');
  return std::string(authority.substr(0, port));
}

}  // namespace vantrope
