#include "support/test_browser_url.h"

#include <algorithm>
#include <cctype>

namespace vantrope::testing {

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower;
}

// "/a/b/../c/./d" becomes "/a/c/d".
std::string RemoveDotSegments(std::string_view path) {
  std::vector<std::string> segments;
  size_t start = 1;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string segment(path.substr(start, end - start));
    const bool last = end == path.size();
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
      if (last) segments.emplace_back();
    } else if (segment == ".") {
      if (last) segments.emplace_back();
    } else {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  std::string result;
  for (const std::string& segment : segments) result += "/" + segment;
  return result.empty() ? "/" : result;
}

// Splits "path?query#fragment" into path and query, dropping the fragment.
void SplitPathQuery(std::string_view rest, std::string& path, std::optional<std::string>& query) {
  rest = rest.substr(0, rest.find('#'));
  const size_t question = rest.find('?');
  path = std::string(rest.substr(0, question));
  query.reset();
  if (question != std::string_view::npos) query = std::string(rest.substr(question + 1));
}

bool HasScheme(std::string_view text) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0) return false;
  if (!std::isalpha(static_cast<unsigned char>(text[0]))) return false;
  return std::all_of(text.begin(), text.begin() + colon, [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
  });
}

}  // namespace

std::string BrowserUrl::ToString() const { return scheme + "://" + host + path + (query ? "?" + *query : ""); }

std::string BrowserUrl::HostName() const {
  return host.substr(0, host.rfind(':') == std::string::npos ? host.size() : host.rfind(':'));
}

std::optional<BrowserUrl> ParseUrl(std::string_view text) {
  if (!HasScheme(text)) return std::nullopt;
  const size_t colon = text.find(':');
  BrowserUrl url;
  url.scheme = Lower(text.substr(0, colon));
  std::string_view rest = text.substr(colon + 1);
  if (url.scheme != "http" || rest.substr(0, 2) != "//") return std::nullopt;
  rest.remove_prefix(2);
  const size_t host_end = std::min(rest.find_first_of("/?#"), rest.size());
  url.host = Lower(rest.substr(0, host_end));
  if (url.host.size() > 3 && url.host.substr(url.host.size() - 3) == ":80") url.host.resize(url.host.size() - 3);
  if (url.host.empty()) return std::nullopt;
  SplitPathQuery(rest.substr(host_end), url.path, url.query);
  url.path = RemoveDotSegments(url.path.empty() ? "/" : url.path);
  return url;
}

std::optional<BrowserUrl> ResolveUrl(const BrowserUrl& base, std::string_view reference) {
  if (HasScheme(reference)) return ParseUrl(reference);
  if (reference.substr(0, 2) == "//") return ParseUrl(base.scheme + ":" + std::string(reference));
  BrowserUrl url = base;
  std::string path;
  std::optional<std::string> query;
  SplitPathQuery(reference, path, query);
  if (path.empty()) {
    if (query) url.query = query;
    return url;
  }
  url.query = query;
  if (path[0] == '/') {
    url.path = RemoveDotSegments(path);
  } else {
    url.path = RemoveDotSegments(base.path.substr(0, base.path.rfind('/') + 1) + path);
  }
  return url;
}

std::string PercentDecode(std::string_view text) {
  auto hex = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string decoded;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
      decoded += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

std::string FormUrlEncode(const std::vector<std::pair<std::string, std::string>>& fields) {
  static const char kHex[] = "0123456789ABCDEF";
  auto encode = [](const std::string& text) {
    std::string encoded;
    for (unsigned char c : text) {
      if (std::isalnum(c) || c == '*' || c == '-' || c == '.' || c == '_') {
        encoded += static_cast<char>(c);
      } else if (c == ' ') {
        encoded += '+';
      } else {
        encoded += '%';
        encoded += kHex[c >> 4];
        encoded += kHex[c & 15];
      }
    }
    return encoded;
  };
  std::string text;
  for (const auto& [name, value] : fields) {
    if (!text.empty()) text += '&';
    text += encode(name) + "=" + encode(value);
  }
  return text;
}

}  // namespace vantrope::testing
