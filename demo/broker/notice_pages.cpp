#include "pages.h"

namespace vantrope::demo {

std::string DisabledPage(const PageFrame& frame, const std::string& account) {
  const Texts& t = frame.texts();
  std::string html = "<p class=\"error\" id=\"account-disabled\">" + EscapeText(t.disabled_text) + EscapeText(account) +
                     EscapeText(t.disabled_text_end) + "</p>\n";
  html += "<p>" + Link("disabled-logout", "/logout?l=" + frame.lang(), t.nav_logout) + "</p>\n";
  return PageDocument(frame, t.disabled_heading, html);
}

std::string RequestErrorPage(const PageFrame& frame, const std::string& reason) {
  const Texts& t = frame.texts();
  std::string html = "<p class=\"error\" id=\"request-error\">" + EscapeText(t.request_error_text) + "</p>\n";
  html += "<p class=\"reason\">" + EscapeText(reason) + "</p>\n";
  html += "<p>" + Link("back-to-trading", "/d/trade.cgi?l=" + frame.lang(), t.back_to_trading) + "</p>\n";
  return PageDocument(frame, t.request_error_heading, html);
}

std::string NotFoundPage(const PageFrame& frame) {
  const Texts& t = frame.texts();
  std::string html = "<p class=\"error\" id=\"not-found\">" + EscapeText(t.not_found_text) + "</p>\n";
  html += "<p>" + Link("to-main", "/d/contact.cgi?l=" + frame.lang(), t.to_main_page) + "</p>\n";
  return PageDocument(frame, t.not_found_heading, html);
}

std::string RefusedPage(const PageFrame& frame) {
  const Texts& t = frame.texts();
  std::string html = "<p class=\"error\" id=\"purchase-refused\">" + EscapeText(t.refused_text) + "</p>\n";
  html += "<p>" + Link("back-to-trading", "/d/trade.cgi?l=" + frame.lang(), t.back_to_trading) + "</p>\n";
  return PageDocument(frame, t.refused_heading, html);
}

}  // namespace vantrope::demo
