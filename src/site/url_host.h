// The host name of an address, as the site's own hosts are told from others.
#pragma once

#include <string>
#include <string_view>

namespace vantrope {

// "scheme://user@host:port/path?query" gives "host" (an IPv6 host keeps its
// brackets); an address without a scheme has no host.
std::string UrlHostName(std::string_view url);

}  // namespace vantrope
