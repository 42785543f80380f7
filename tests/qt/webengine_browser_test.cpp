// The browser port on Qt WebEngine against a small site served from
// 127.0.0.1 by the test: navigation and its events, the document read and
// parsed into page fields, an input written and a form submitted.
#include <gtest/gtest.h>
#include <httplib.h>

#include <QTest>
#include <mutex>
#include <thread>

#include "site/document_fields.h"
#include "site/webengine/webengine_browser.h"
#include "support/field_record.h"

namespace vantrope::testing {
namespace {

constexpr int kLoadTimeoutMs = 30000;

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else
      out += c;
  }
  return out;
}

std::string Page(const std::string& body) {
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Test</title></head><body>" + body +
         "</body></html>";
}

// A form with a text input and a submit button, a link, a table and a
// paragraph; the form's target shows the value it received.
class TestSite {
 public:
  TestSite() {
    server_.Get("/form", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(Page("<form action=\"/received\" method=\"get\">"
                                "<input type=\"text\" id=\"who\" name=\"who\" value=\"nobody\">"
                                "<input type=\"submit\" id=\"send\" name=\"send\" value=\"Send\"></form>"
                                "<a id=\"next\" href=\"/received?who=link\">Next page</a>"
                                "<table><tr><td>Cell A</td><td>Cell B</td></tr></table>"
                                "<p>Hello paragraph</p>"),
                           "text/html; charset=utf-8");
    });
    server_.Get("/received", [this](const httplib::Request& request, httplib::Response& response) {
      const std::string who = request.get_param_value("who");
      {
        std::lock_guard<std::mutex> lock(mutex_);
        received_ = who;
      }
      response.set_content(Page("<p>Received: " + Escaped(who) + "</p>"), "text/html; charset=utf-8");
    });
    // Idle connections the browser keeps open must not hold up the end of the test.
    server_.set_keep_alive_timeout(1);
    port_ = server_.bind_to_any_port("127.0.0.1");
    listener_ = std::thread([this] { server_.listen_after_bind(); });
    EXPECT_TRUE(QTest::qWaitFor([this] { return server_.is_running(); }, 10000));
  }
  ~TestSite() {
    server_.stop();
    listener_.join();
  }

  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  std::string Received() {
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
  }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread listener_;
  std::mutex mutex_;
  std::string received_;
};

class WebEngineAdapter : public ::testing::Test {
 protected:
  WebEngineAdapter() {
    browser.onBeforeNavigate = [this](const std::string& url) { started.push_back(url); };
    browser.onDocumentComplete = [this] { ++completed; };
    browser.View()->resize(800, 600);
    browser.View()->show();
  }

  // Waits for the document-complete event number `count` and the end of loading.
  bool Loaded(int count) {
    return QTest::qWaitFor([&] { return completed >= count && !browser.Busy(); }, kLoadTimeoutMs);
  }

  TestSite site;
  WebEngineBrowser browser;
  std::vector<std::string> started;
  int completed = 0;
};

TEST_F(WebEngineAdapter, ReadsTheDocumentIntoFormsLinksAndText) {
  browser.Navigate(site.Url("/form"));
  ASSERT_TRUE(Loaded(1));
  EXPECT_EQ(browser.LocationUrl(), site.Url("/form"));
  ASSERT_FALSE(started.empty());
  EXPECT_EQ(started.front(), site.Url("/form"));

  const std::optional<DomDocument> document = browser.ReadDocument();
  ASSERT_TRUE(document);
  TableCounters counters;
  std::vector<TCatField> fields;
  ParseDocumentFields(*document, counters, fields);

  const std::vector<TCatField> expected = {
      Record(kKindForm, "who", "who", "text", "nobody"),
      Record(kKindForm, "send", "send", "submit", "Send"),
      Record(kKindLink, "next", "", "Next page", site.Url("/received?who=link")),
      Record(kKindTable, "1", "1", "1", "Cell A"),
      Record(kKindTable, "1", "1", "2", "Cell B"),
      Record(kKindText, "", "", "", "Hello paragraph"),
  };
  EXPECT_EQ(fields, expected);
}

TEST_F(WebEngineAdapter, WritesAnInputAndSubmitsItsForm) {
  browser.Navigate(site.Url("/form"));
  ASSERT_TRUE(Loaded(1));

  ASSERT_TRUE(browser.SetElementValue(0, 0, "Вася & Bob"));
  const std::optional<DomDocument> filled = browser.ReadDocument();
  ASSERT_TRUE(filled);
  ASSERT_EQ(filled->forms.size(), 1u);
  EXPECT_EQ(filled->forms[0].elements[0].value, "Вася & Bob");

  ASSERT_TRUE(browser.ClickElement(0, 1));
  ASSERT_TRUE(Loaded(2));
  EXPECT_EQ(site.Received(), "Вася & Bob");
  const std::optional<DomDocument> answer = browser.ReadDocument();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->body_html, "<p>Received: Вася &amp; Bob</p>");
}

TEST_F(WebEngineAdapter, ElementsThatAreNotThereTakeNothing) {
  browser.Navigate(site.Url("/form"));
  ASSERT_TRUE(Loaded(1));
  EXPECT_FALSE(browser.SetElementValue(0, 7, "x"));
  EXPECT_FALSE(browser.SetElementValue(3, 0, "x"));
  EXPECT_FALSE(browser.ClickElement(0, 7));
  EXPECT_FALSE(browser.ClickElement(1, 0));
}

}  // namespace
}  // namespace vantrope::testing
