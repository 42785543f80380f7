// A request to the site and its answer, as plain values: the HTTP server
// and the in-process test browser both translate to and from these.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vantrope::demo {

struct Request {
  std::string method = "GET";  // "GET" or "POST"
  std::string host;            // the Host header: "127.0.0.1:8470"
  std::string path;            // decoded: "/d/trade.cgi"
  std::string query;           // as sent, without "?": "l=EN&market=forex"
  std::string body;            // a form body, application/x-www-form-urlencoded
  std::string cookie;          // the Cookie header: "vt_session=..."
};

struct Response {
  int status = 200;
  // In order; a name may repeat (several Set-Cookie headers).
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;

  // The first header called `name`, or an empty text.
  std::string Header(const std::string& name) const {
    for (const auto& [key, value] : headers)
      if (key == name) return value;
    return {};
  }
};

}  // namespace vantrope::demo
