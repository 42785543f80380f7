// The test browser: its events and timing on virtual time, history,
// cookies, and the document's forms, links and body as a browser shows them.
#include "support/test_browser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "demo_world.h"
#include "support/test_browser_forms.h"

namespace vantrope::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* kLogin = "http://127.0.0.1:8470/d/login.cgi?l=EN";

// "id|name|type|value", a property without a value as "-".
std::string Shown(const std::optional<std::string>& a, const std::optional<std::string>& b,
                  const std::optional<std::string>& c, const std::optional<std::string>& d) {
  return a.value_or("-") + "|" + b.value_or("-") + "|" + c.value_or("-") + "|" + d.value_or("-");
}
std::string Shown(const DomFormElement& e) { return Shown(e.id, e.name, e.type, e.value); }
std::string Shown(const DomLink& link) { return Shown(link.id, link.title, link.inner_text, link.address); }
std::vector<std::string> Shown(const std::vector<DomFormElement>& elements) {
  std::vector<std::string> shown;
  for (const DomFormElement& element : elements) shown.push_back(Shown(element));
  return shown;
}

TEST(TestBrowser, LoadRaisesItsEventsAndIsBusyUntilTheDelayHasPassed) {
  DemoWorld world;
  std::vector<std::string> events;
  world.browser.onBeforeNavigate = [&](const std::string& url) {
    events.push_back("before " + url + (world.browser.Busy() ? " busy" : ""));
  };
  world.browser.onProgressChange = [&] { events.push_back("progress"); };
  world.browser.onDocumentComplete = [&] {
    events.push_back("complete " + world.browser.LocationUrl() + (world.browser.Busy() ? " busy" : ""));
  };
  EXPECT_FALSE(world.browser.ReadDocument());

  world.browser.Navigate(kLogin);
  EXPECT_TRUE(world.browser.Busy());
  EXPECT_EQ(world.browser.LocationUrl(), "");
  world.Wait(TestBrowser::kDefaultLoadMs - 1);
  EXPECT_TRUE(world.browser.Busy());
  world.Wait(1);
  EXPECT_FALSE(world.browser.Busy());
  EXPECT_EQ(world.browser.LocationUrl(), kLogin);
  EXPECT_THAT(events,
              ElementsAre(std::string("before ") + kLogin, "progress", "progress", std::string("complete ") + kLogin));
}

TEST(TestBrowser, StopEndsTheLoadWithoutTheNewPage) {
  DemoWorld world;
  world.Open(kLogin);
  int completed = 0;
  world.browser.onDocumentComplete = [&] { ++completed; };
  world.browser.Navigate("http://127.0.0.1:8470/d/nothing.cgi?l=EN");
  world.browser.Stop();
  EXPECT_FALSE(world.browser.Busy());
  EXPECT_EQ(completed, 1);  // as the program's browser reports a stopped load
  world.Wait(1000);
  EXPECT_EQ(completed, 1);
  EXPECT_EQ(world.browser.LocationUrl(), kLogin);
  world.browser.Stop();
  EXPECT_EQ(completed, 1);
}

TEST(TestBrowser, FollowsRedirectsAndKeepsCookiesPerHostName) {
  DemoWorld world;
  world.Open(kMainUrl);  // to the second host and back to the login page
  EXPECT_EQ(world.browser.LocationUrl(), kLogin);
  EXPECT_EQ(world.browser.HistoryLength(), 1u);
  world.Set(FormById("loginid"), "CR100200");
  world.Set(FormById("password"), "demo200");
  world.Press(FormById("login"));
  EXPECT_EQ(world.browser.LocationUrl(), kMainUrl);
  EXPECT_TRUE(world.browser.Cookie("127.0.0.1", "vt_session"));
  EXPECT_FALSE(world.browser.Cookie("localhost", "vt_session"));
  world.Open(kLogOutUrl);
  EXPECT_FALSE(world.browser.Cookie("127.0.0.1", "vt_session"));
}

TEST(TestBrowser, GoBackAsksForThePreviousPageAgain) {
  DemoWorld world;
  world.Open(kLogin);
  world.Open("http://127.0.0.1:8470/d/nothing.cgi?l=EN");
  ASSERT_EQ(world.browser.Status(), 404);
  std::string before;
  world.browser.onBeforeNavigate = [&](const std::string& url) { before = url; };
  world.browser.GoBack();
  EXPECT_TRUE(world.browser.Busy());
  EXPECT_EQ(before, kLogin);
  world.Wait(TestBrowser::kDefaultLoadMs);
  EXPECT_EQ(world.browser.LocationUrl(), kLogin);
  EXPECT_EQ(world.browser.Status(), 200);
  // Nothing before the first page.
  world.browser.GoBack();
  EXPECT_FALSE(world.browser.Busy());
  // A new page drops what lay ahead.
  world.Open("http://127.0.0.1:8470/d/login.cgi?l=RU");
  EXPECT_EQ(world.browser.HistoryLength(), 2u);
  world.browser.ClearHistory();
  EXPECT_EQ(world.browser.HistoryLength(), 1u);
  world.browser.GoBack();
  EXPECT_FALSE(world.browser.Busy());
  // Forgetting the history while going back leaves the page as the only one.
  world.Open(kLogin);
  world.browser.GoBack();
  world.browser.ClearHistory();
  world.Wait(TestBrowser::kDefaultLoadMs);
  EXPECT_EQ(world.browser.LocationUrl(), "http://127.0.0.1:8470/d/login.cgi?l=RU");
  EXPECT_EQ(world.browser.HistoryLength(), 2u);
}

TEST(TestBrowser, AddressesThatAreNotTheSitesShowAnEmptyPage) {
  DemoWorld world;
  world.Open("about:blank");
  EXPECT_EQ(world.browser.LocationUrl(), "about:blank");
  const std::optional<DomDocument> document = world.browser.ReadDocument();
  ASSERT_TRUE(document);
  EXPECT_TRUE(document->forms.empty());
  EXPECT_EQ(document->body_html, "");
}

TEST(TestBrowser, ReadsTheSitesFormsLinksAndBody) {
  DemoWorld world;
  world.Open(kLogin);
  const std::optional<DomDocument> document = world.browser.ReadDocument();
  ASSERT_TRUE(document);
  ASSERT_EQ(document->forms.size(), 1u);
  EXPECT_THAT(Shown(document->forms[0].elements),
              ElementsAre("loginid|loginid|text|", "password|password|password|", "login|login|submit|1"));
  ASSERT_EQ(document->links.size(), 2u);
  EXPECT_EQ(Shown(document->links[1]), "lang-ru||Русский|http://127.0.0.1:8470/d/login.cgi?l=RU");
  EXPECT_THAT(*document->body_html, HasSubstr("<form id=\"login-form\" method=\"post\""));
}

TEST(TestBrowser, BodyMarkupIsTheMarkupTheSiteServed) {
  DemoWorld world;
  auto body_of_source = [&] {
    const std::string& source = world.browser.Source();
    const size_t start = source.find("<body>") + 6;
    return source.substr(start, source.rfind("</body>") - start);
  };
  std::vector<std::string> pages = {kLogin, std::string(kLogin) + "&error=login", kReturnUrl};
  world.Open(kLogin);
  world.Set(FormById("loginid"), "CR100200");
  world.Set(FormById("password"), "demo200");
  world.Press(FormById("login"));
  pages.push_back(kMainUrl);
  pages.push_back(kPortFolioUrl);
  pages.push_back(std::string(kReturnUrl) + "&market=forex&notice=changed");
  pages.push_back(std::string(kReturnUrl) + "&market=forex&underlying=frxEURUSD&get_prices=1");
  pages.push_back(std::string(kReturnUrl) + "&market=bonds");
  pages.push_back("http://127.0.0.1:8470/d/nothing.cgi?l=RU");
  for (const std::string& page : pages) {
    world.Open(page);
    EXPECT_EQ(world.browser.ReadDocument()->body_html, body_of_source()) << page;
  }
  world.Press(FormById("buy-up"));  // from the last trading page with prices
  world.Open(std::string(kReturnUrl) + "&market=forex&underlying=frxEURUSD&get_prices=1");
  world.Press(FormById("buy-down"));
  EXPECT_EQ(world.browser.ReadDocument()->body_html, body_of_source());
  world.Open(kPortFolioUrl);
  EXPECT_EQ(world.browser.ReadDocument()->body_html, body_of_source());
}

TEST(TestBrowser, SettingValuesChangesWhatTheFormSendsButNotTheMarkup) {
  DemoWorld world;
  world.Open(kLogin);
  world.Set(FormById("loginid"), "CR100200");
  world.Set(FormById("password"), "demo200");
  world.Press(FormById("login"));
  world.Open(std::string(kReturnUrl) + "&market=forex");
  const std::string markup = *world.browser.ReadDocument()->body_html;
  ASSERT_TRUE(world.browser.SetElementValue(0, 3, "frxGBPUSD"));  // underlying
  ASSERT_TRUE(world.browser.SetElementValue(0, 5, "90"));         // duration_amount
  ASSERT_TRUE(world.browser.SetElementValue(0, 6, "s"));          // duration_unit
  EXPECT_FALSE(world.browser.SetElementValue(0, 6, "w"));         // no such option
  EXPECT_EQ(world.browser.ReadDocument()->forms[0].elements[6].value, "");
  ASSERT_TRUE(world.browser.SetElementValue(0, 6, "s"));
  EXPECT_FALSE(world.browser.SetElementValue(0, 8, "ten"));  // a number input takes numbers only
  EXPECT_EQ(world.browser.ReadDocument()->forms[0].elements[8].value, "");
  ASSERT_TRUE(world.browser.SetElementValue(0, 8, "12.5"));
  EXPECT_FALSE(world.browser.SetElementValue(0, 10, "x"));  // beyond the form
  EXPECT_FALSE(world.browser.SetElementValue(3, 0, "x"));   // beyond the forms
  EXPECT_EQ(*world.browser.ReadDocument()->body_html, markup);
  EXPECT_EQ(world.browser.ReadDocument()->forms[0].elements[3].value, "frxGBPUSD");

  // Clicking a control that does not submit goes nowhere.
  EXPECT_TRUE(world.browser.ClickElement(0, 3));
  EXPECT_FALSE(world.browser.Busy());
  EXPECT_FALSE(world.browser.ClickElement(0, 10));
  std::string submitted;
  world.browser.onBeforeNavigate = [&](const std::string& url) { submitted = url; };
  EXPECT_TRUE(world.browser.ClickElement(0, 9));  // get-prices
  EXPECT_EQ(submitted,
            "http://127.0.0.1:8470/d/trade.cgi?l=EN&market=forex&group=all&underlying=frxGBPUSD&date_start=now"
            "&duration_amount=90&duration_unit=s&basis=payout&amount=12.5&get_prices=1");
  world.Wait(TestBrowser::kDefaultLoadMs);
  EXPECT_EQ(world.browser.LocationUrl(), submitted);
  EXPECT_EQ(world.Value(FormById("amount")), "12.5");
}

// The test browser with the faults of a real one, and the requests the site got.
class FaultyBrowser : public TestBrowser {
 public:
  using TestBrowser::TestBrowser;
  int page_ms = kAnswerMs;
  NetworkFault fault = NetworkFault::kNone;
  std::vector<std::string> requests;

 protected:
  demo::Response Respond(const demo::Request& request) override {
    requests.push_back(request.method + " " + request.path);
    return TestBrowser::Respond(request);
  }
  int PageMs() const override { return page_ms; }
  NetworkFault LoadFault(const std::string& /*address*/) const override { return fault; }
};

// As the program's browser (Qt WebEngine, as measured): an answer past the
// limit is "no answer" at the limit while the page acts when it gets there;
// a load that fails completes at its address with the browser's own page.
TEST(TestBrowser, FailsAsTheProgramsBrowserDoes) {
  VirtualClock clock;
  VirtualSiteClock site_clock{clock};
  demo::BrokerSite site{{}, site_clock};
  FaultyBrowser browser{site, clock};
  browser.Navigate(kLogin);
  clock.Advance(TestBrowser::kDefaultLoadMs);
  const auto login_id = [&] { return *browser.ReadDocument()->forms.at(0).elements.at(0).value; };
  browser.page_ms = TestBrowser::kNoAnswerMs + 1000;
  std::vector<DomActionResult> answer;
  browser.RunActions({{DomAction::Kind::SetValue, "loginid", "loginid", "text", "CR100200", false}},
                     [&](std::vector<DomActionResult> results) { answer = results; });
  clock.Advance(TestBrowser::kNoAnswerMs - 1);
  EXPECT_TRUE(answer.empty());
  clock.Advance(1);
  ASSERT_EQ(answer.size(), 1u);
  EXPECT_FALSE(answer[0].answered);
  EXPECT_EQ(login_id(), "");
  clock.Advance(1000);
  EXPECT_EQ(login_id(), "CR100200");

  browser.requests.clear();
  browser.fault = NetworkFault::kRefused;
  browser.Navigate(kReturnUrl);
  clock.Advance(TestBrowser::kDefaultLoadMs);
  EXPECT_FALSE(browser.Busy());
  EXPECT_EQ(browser.LocationUrl(), kReturnUrl);
  const std::optional<DomDocument> page = browser.ReadDocument();
  ASSERT_EQ(page->forms.size(), 1u) << "the error page's own buttons, of no form";
  EXPECT_THAT(Shown(page->forms[0].elements), ElementsAre("reload-button||submit|", "details-button||submit|"));
  EXPECT_THAT(*page->body_html, HasSubstr("ERR_CONNECTION_REFUSED"));
  EXPECT_TRUE(browser.requests.empty()) << "a refused connection reaches no site";
  browser.fault = NetworkFault::kAnswerLost;
  browser.Navigate(kLogin);
  clock.Advance(TestBrowser::kDefaultLoadMs);
  EXPECT_THAT(browser.requests, ElementsAre("GET /d/login.cgi"));
  EXPECT_THAT(*browser.ReadDocument()->body_html, HasSubstr("ERR_EMPTY_RESPONSE"));
}

TEST(TestBrowser, LoadsPicturesAsItIsTold) {
  DemoWorld world;
  EXPECT_TRUE(world.browser.LoadsPictures());
  world.browser.SetLoadPictures(false);
  EXPECT_FALSE(world.browser.LoadsPictures());
}

// Forms of hand-made markup: what the site does not use but a browser does.
class TestBrowserForms : public ::testing::Test {
 protected:
  std::vector<std::vector<HtmlNode*>> Load(const std::string& body) {
    document = std::make_unique<HtmlDocument>("<!DOCTYPE html><html><head></head><body>" + body + "</body></html>");
    for (HtmlNode* element : Descendants(document->Root()))
      if (element->IsElement("form")) ResetForm(*element);
    return DocumentForms(document->Root());
  }
  std::vector<std::string> Read(const std::vector<HtmlNode*>& form) {
    std::vector<std::string> read;
    for (const HtmlNode* element : form) read.push_back(Shown(ReadFormElement(*element)));
    return read;
  }
  std::unique_ptr<HtmlDocument> document;
};

TEST_F(TestBrowserForms, ElementsReadAsABrowserReportsThem) {
  const auto forms = Load(
      "<form><input name=\"a\" value=\"1\"><input type=\"IMAGE\" name=\"pic\"><input type=\"fancy\" id=\"f\">"
      "<select name=\"s\"><option>one</option><option value=\"2\" selected>two</option>"
      "<option selected> three  four </option></select>"
      "<textarea name=\"t\">\nsome text</textarea><button>Go</button><button type=\"reset\" value=\"r\">R</button>"
      "<input type=\"checkbox\" name=\"c\"><input type=\"number\" name=\"n\" value=\"x1\"></form>"
      "<input name=\"outside\"><form></form>");
  ASSERT_EQ(forms.size(), 3u);
  EXPECT_THAT(Read(forms[0]), ElementsAre("|a|text|1", "f||text|", "|s|select-one|three four", "|t|textarea|some text",
                                          "||submit|", "||reset|r", "|c|checkbox|on", "|n|number|"));
  EXPECT_TRUE(forms[1].empty());
  EXPECT_THAT(Read(forms[2]), ElementsAre("|outside|text|")) << "the controls of no form, as one more";
}

TEST_F(TestBrowserForms, SubmissionSendsTheNamedValuesAndOnlyItsOwnButton) {
  const auto forms = Load(
      "<form><input name=\"a\" value=\"x y&amp;z\"><input name=\"\" value=\"no name\">"
      "<input name=\"off\" disabled value=\"1\"><select name=\"s\"><option>one</option><option>two</option></select>"
      "<input type=\"checkbox\" name=\"c1\"><input type=\"checkbox\" name=\"c2\" checked value=\"yes\">"
      "<button name=\"b1\" value=\"1\">1</button><input type=\"submit\" name=\"b2\" value=\"2\"></form>");
  ASSERT_TRUE(WriteFormElement(*forms[0][3], "two"));
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"a", "x y&z"}, {"s", "two"}, {"c2", "yes"}, {"b2", "2"}};
  EXPECT_EQ(FormDataSet(*FormOf(*forms[0][0]), forms[0][7]), expected);
  EXPECT_EQ(FormUrlEncode(expected), "a=x+y%26z&s=two&c2=yes&b2=2");
  EXPECT_EQ(ClickEffectOf(*forms[0][6]), ClickEffect::kSubmit);
  EXPECT_EQ(ClickEffectOf(*forms[0][0]), ClickEffect::kNothing);
}

TEST_F(TestBrowserForms, ResetForgetsTypedValuesAndSelections) {
  const auto forms = Load(
      "<form><input name=\"a\" value=\"1\"><select name=\"s\"><option>one</option><option selected>two</option>"
      "</select><input type=\"reset\"></form>");
  WriteFormElement(*forms[0][0], "changed");
  WriteFormElement(*forms[0][1], "one");
  EXPECT_EQ(ClickEffectOf(*forms[0][2]), ClickEffect::kReset);
  ResetForm(*FormOf(*forms[0][0]));
  EXPECT_EQ(ReadFormElement(*forms[0][0]).value, "1");
  EXPECT_EQ(ReadFormElement(*forms[0][1]).value, "two");
}

TEST_F(TestBrowserForms, NumberInputsTakeOnlyNumbers) {
  const auto forms = Load("<form><input type=\"number\" name=\"n\"></form>");
  for (const char* number : {"3", "-3", "3.25", ".5", "1e3", "2E-2"})
    EXPECT_TRUE(WriteFormElement(*forms[0][0], number)) << number;
  for (const char* text : {"3.", "+3", "1,5", "3 ", "e3", "abc", "--1"})
    EXPECT_FALSE(WriteFormElement(*forms[0][0], text)) << text;
}

TEST(TestBrowserMarkup, ParsedMarkupIsWrittenBackTheBrowsersWay) {
  HtmlDocument document(
      "<!DOCTYPE html><html><head><title>t</title></head><body>\n<TABLE><TR><TD Class=x>a &amp; b &lt;c&gt; "
      "\"q\"</td></tr></table><P>open<div>x</div><input value='say \"hi\"'><br/><!-- note --><style>a>b{}</style>"
      "<p>&nbsp;</p></body></html>\n");
  ASSERT_NE(document.Body(), nullptr);
  EXPECT_EQ(InnerHtml(*document.Body()),
            "\n<table><tbody><tr><td class=\"x\">a &amp; b &lt;c&gt; \"q\"</td></tr></tbody></table><p>open</p>"
            "<div>x</div><input value=\"say &quot;hi&quot;\"><br><!-- note --><style>a>b{}</style><p>&nbsp;</p>\n");
}

TEST(TestBrowserUrl, ResolvesAddressesAgainstThePage) {
  const BrowserUrl base = *ParseUrl("HTTP://LocalHost:80/d/sub/page.cgi?l=EN#top");
  EXPECT_EQ(base.ToString(), "http://localhost/d/sub/page.cgi?l=EN");
  EXPECT_EQ(base.HostName(), "localhost");
  EXPECT_EQ(ResolveUrl(base, "other.cgi")->ToString(), "http://localhost/d/sub/other.cgi");
  EXPECT_EQ(ResolveUrl(base, "../up.cgi?x=1")->ToString(), "http://localhost/d/up.cgi?x=1");
  EXPECT_EQ(ResolveUrl(base, "/abs")->ToString(), "http://localhost/abs");
  EXPECT_EQ(ResolveUrl(base, "?l=RU")->ToString(), "http://localhost/d/sub/page.cgi?l=RU");
  EXPECT_EQ(ResolveUrl(base, "")->ToString(), "http://localhost/d/sub/page.cgi?l=EN");
  EXPECT_EQ(ResolveUrl(base, "//127.0.0.1:8470")->ToString(), "http://127.0.0.1:8470/");
  EXPECT_EQ(ResolveUrl(base, "http://a.b/./c/../d")->ToString(), "http://a.b/d");
  EXPECT_FALSE(ParseUrl("about:blank"));
  EXPECT_FALSE(ParseUrl("/d/page.cgi"));
  EXPECT_FALSE(ParseUrl("ftp://host/file"));
  EXPECT_EQ(PercentDecode("/a%20b%2"), "/a b%2");
}

}  // namespace
}  // namespace vantrope::testing
