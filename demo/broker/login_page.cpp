#include "pages.h"

namespace vantrope::demo {

std::string LoginPage(const PageFrame& frame, LoginNotice notice) {
  const Texts& t = frame.texts();
  std::string html = "<p class=\"intro\">" + EscapeText(t.login_intro) + "</p>\n";
  if (notice == LoginNotice::kFailed)
    html += "<p class=\"error\" id=\"login-error\">" + EscapeText(t.login_failed) + "</p>\n";
  if (notice == LoginNotice::kDisabled)
    html += "<p class=\"error\" id=\"login-error\">" + EscapeText(t.login_failed_disabled) + "</p>\n";
  if (notice == LoginNotice::kExpired)
    html += "<p class=\"notice\" id=\"session-expired\">" + EscapeText(t.session_expired) + "</p>\n";
  html += "<form id=\"login-form\" method=\"post\" action=\"/d/login.cgi?l=" + frame.lang() + "\">\n";
  html += "<label for=\"loginid\">" + EscapeText(t.login_account) + "</label>\n";
  html += "<input type=\"text\" id=\"loginid\" name=\"loginid\" value=\"\">\n";
  html += "<label for=\"password\">" + EscapeText(t.login_password) + "</label>\n";
  html += "<input type=\"password\" id=\"password\" name=\"password\" value=\"\">\n";
  html += "<button type=\"submit\" id=\"login\" name=\"login\" value=\"1\">" + EscapeText(t.login_button) +
          "</button></form>\n";
  return PageDocument(frame, t.login_heading, html);
}

std::string MainPage(const PageFrame& frame) {
  const Texts& t = frame.texts();
  std::string html = "<p class=\"account\" id=\"logged-in\">" + EscapeText(t.main_logged_in_as) +
                     EscapeText(frame.account->number) + ".</p>\n";
  html += "<p>" + EscapeText(t.main_hint) + "</p>\n";
  return PageDocument(frame, t.main_heading, html);
}

}  // namespace vantrope::demo
