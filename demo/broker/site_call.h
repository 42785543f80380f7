// One request as the site's handlers see it: its fields decoded, the page
// frame it answers with, and the ways of answering.
#pragma once

#include <string>

#include "broker_site.h"
#include "page_frame.h"
#include "url_encoding.h"

namespace vantrope::demo {

inline constexpr const char* kSessionCookie = "vt_session";

struct BrokerSite::Call {
  const Request& request;
  int64_t now_ms;
  Fields query;
  Fields form;
  Fields cookies;
  PageFrame frame;

  std::string lang() const { return frame.lang(); }
  // "http://host/..." on the host the request came to.
  std::string Here(const std::string& path_and_query) const { return "http://" + request.host + path_and_query; }
};

// A page: HTML that is never cached, so going back asks for it again.
Response HtmlResponse(int status, std::string body);
// "See other": the browser asks for `location` with GET.
Response Redirect(const std::string& location);
void SetSessionCookie(Response& response, const std::string& session);
void ClearSessionCookie(Response& response);

}  // namespace vantrope::demo
