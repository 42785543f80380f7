// The frame of every page, and the escaping its markup needs. Markup is
// written the way a browser writes back body.innerHTML: lowercase tags,
// attributes in double quotes, boolean attributes as `selected=""`, tables
// with their tbody, nothing after "</body>", and no white space right
// before "</form>" (gumbo, the test browser's parser, would move it out of
// the form where browsers keep it inside).
#pragma once

#include <string>
#include <string_view>

#include "accounts.h"
#include "language.h"
#include "texts.h"
#include "url_encoding.h"

namespace vantrope::demo {

// "&", "<" and ">" as entities.
std::string EscapeText(std::string_view text);
// "&", '"', "<" and ">" as entities.
std::string EscapeAttribute(std::string_view text);

// <a id="id" href="address">text</a>
std::string Link(std::string_view id, std::string_view address, std::string_view text);

struct PageFrame {
  Language language = Language::kEnglish;
  // The page's own address, for the language links.
  std::string path;
  Fields query;
  // The account a page shows its navigation to; none for a visitor.
  const Account* account = nullptr;
  // Where the portfolio is, on the site's second host name when it has one.
  std::string portfolio_address;

  const Texts& texts() const { return TextsFor(language); }
  std::string lang() const { return LanguageCode(language); }
};

// The whole document: head, site name, language links, navigation for an
// account, the heading, then `content`.
std::string PageDocument(const PageFrame& frame, std::string_view heading, const std::string& content);

}  // namespace vantrope::demo
