#include "page_frame.h"

namespace vantrope::demo {

namespace {

const char* const kStyle =
    "body{font-family:sans-serif;margin:16px 24px;color:#222}"
    ".brand{font-weight:bold;color:#075}"
    ".lang,.nav,.tabs{margin:6px 0}"
    ".tabs .active{font-weight:bold}"
    "label{display:block;margin-top:8px}"
    "button{display:block;margin-top:10px}"
    ".error{color:#b00}"
    ".notice{color:#a50}"
    ".price-block{display:inline-block;vertical-align:top;border:1px solid #999;padding:4px 16px;margin:12px 12px 0 0}"
    "table{border-collapse:collapse;margin:8px 0}"
    "th,td{text-align:left;padding:2px 14px 2px 0}";

std::string Escape(std::string_view text, bool attribute) {
  std::string escaped;
  for (char c : text) {
    if (c == '&')
      escaped += "&amp;";
    else if (c == '<')
      escaped += "&lt;";
    else if (c == '>')
      escaped += "&gt;";
    else if (c == '"' && attribute)
      escaped += "&quot;";
    else
      escaped += c;
  }
  return escaped;
}

std::string LanguageAddress(const PageFrame& frame, Language language) {
  Fields query = {{"l", LanguageCode(language)}};
  for (const auto& field : frame.query)
    if (field.first != "l") query.push_back(field);
  return frame.path + "?" + EncodeFields(query);
}

}  // namespace

std::string EscapeText(std::string_view text) { return Escape(text, false); }
std::string EscapeAttribute(std::string_view text) { return Escape(text, true); }

std::string Link(std::string_view id, std::string_view address, std::string_view text) {
  return "<a id=\"" + EscapeAttribute(id) + "\" href=\"" + EscapeAttribute(address) + "\">" + EscapeText(text) + "</a>";
}

std::string PageDocument(const PageFrame& frame, std::string_view heading, const std::string& content) {
  const Texts& t = frame.texts();
  const std::string lang = frame.lang();
  std::string html = "<!DOCTYPE html>\n<html lang=\"" +
                     std::string(frame.language == Language::kRussian ? "ru" : "en") +
                     "\"><head><meta charset=\"utf-8\"><title>" + EscapeText(heading) + " - " +
                     EscapeText(t.site_name) + "</title><style>" + kStyle + "</style></head>\n<body>\n";
  html += "<div class=\"brand\">" + EscapeText(t.site_name) + "</div>\n";
  html += "<div class=\"lang\">" + Link("lang-en", LanguageAddress(frame, Language::kEnglish), "English") + " | " +
          Link("lang-ru", LanguageAddress(frame, Language::kRussian), "Русский") + "</div>\n";
  if (frame.account != nullptr) {
    html += "<div class=\"nav\">" + Link("nav-home", "/d/contact.cgi?l=" + lang, t.nav_home) + " | " +
            Link("nav-trade", "/d/trade.cgi?l=" + lang, t.nav_trade) + " | " +
            Link("nav-portfolio", frame.portfolio_address, t.nav_portfolio) + " | " +
            Link("nav-logout", "/logout?l=" + lang, t.nav_logout) + "</div>\n";
  }
  html += "<h1>" + EscapeText(heading) + "</h1>\n";
  html += content;
  html += "</body></html>";
  return html;
}

}  // namespace vantrope::demo
