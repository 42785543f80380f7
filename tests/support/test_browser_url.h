// Addresses as the test browser handles them: parsed, resolved against the
// page's address, and written back the way a browser writes them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantrope::testing {

struct BrowserUrl {
  std::string scheme;                // lowercase: "http"
  std::string host;                  // lowercase, with a port other than 80: "127.0.0.1:8470"
  std::string path;                  // at least "/"
  std::optional<std::string> query;  // without "?"; a fragment is dropped

  std::string ToString() const;
  // The host without its port: what cookies belong to.
  std::string HostName() const;
};

// An absolute http address; anything else has no value.
std::optional<BrowserUrl> ParseUrl(std::string_view text);
// `reference` (absolute, "/path", "?query", "relative/path", ...) against `base`.
std::optional<BrowserUrl> ResolveUrl(const BrowserUrl& base, std::string_view reference);

// "%41" decoded; what a server sees of a path.
std::string PercentDecode(std::string_view text);
// application/x-www-form-urlencoded, as a browser submits a form.
std::string FormUrlEncode(const std::vector<std::pair<std::string, std::string>>& fields);

}  // namespace vantrope::testing
