// The browser port on Qt WebEngine against a small site served from
// 127.0.0.1 by the test: navigation and its events, the document read and
// parsed into page fields, actions on the elements of a record's identity,
// dialogs, new windows and the context menu; and the program's window on a
// big, busy page.
#include <gtest/gtest.h>
#include <httplib.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QWebEnginePage>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "app/qt/expand_strip.h"
#include "qt_program.h"
#include "site/document_fields.h"
#include "site/webengine/webengine_browser.h"
#include "support/field_record.h"
#include "widget_search.h"

namespace vantrope::testing {
namespace {

constexpr int kLoadTimeoutMs = 30000;
constexpr size_t kBigPageBytes = 2 << 20;

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
    server_.Get("/login", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(Page("<form><input type=\"text\" id=\"who\" name=\"who\" value=\"\">"
                                "<input type=\"password\" id=\"pw\" name=\"pw\" value=\"\"></form>"),
                           "text/html; charset=utf-8");
    });
    // A form the page's script rebuilds: the stake moves, another element
    // takes its place, and the buy button counts its presses.
    server_.Get("/rebuilt", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(
          Page("<form><input type=\"text\" id=\"stake\" name=\"stake\" value=\"1\">"
               "<input type=\"text\" id=\"gone\" name=\"gone\" value=\"1\"></form>"
               "<script>var presses = 0; function rebuild() { var f = document.forms[0]; f.innerHTML = "
               "'<input type=\"text\" id=\"other\" name=\"other\" value=\"0\">' + "
               "'<input type=\"text\" id=\"stake\" name=\"stake\" value=\"1\">' + "
               "'<input type=\"button\" id=\"buy\" name=\"buy\" value=\"\" "
               "onclick=\"++presses; this.value = presses == 1 ? \\'bought once\\' : \\'twice\\';\">'; }"
               "</script>"),
          "text/html; charset=utf-8");
    });
    // An alert on load, a confirm before the buy, a form for a new window
    // and a script opening one.
    server_.Get("/dialogs", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(Page("<script>alert('Welcome');</script>"
                                "<form action=\"/received\" method=\"get\" target=\"_blank\">"
                                "<input type=\"hidden\" name=\"who\" value=\"blank\">"
                                "<input type=\"submit\" id=\"blank\" name=\"blank\" value=\"New\"></form>"
                                "<form><input type=\"button\" id=\"buy\" name=\"buy\" value=\"Buy\" "
                                "onclick=\"if (confirm('Buy?')) location.href = '/received?who=confirmed';\">"
                                "<input type=\"button\" id=\"open\" name=\"open\" value=\"Open\" "
                                "onclick=\"window.open('/received?who=open');\"></form>"),
                           "text/html; charset=utf-8");
    });
    // A page as frameworks build them: an input whose script keeps its own
    // copy of the value behind a tracker (a value set through the element's
    // own property is not heard by the next input event), a select whose
    // change handler keeps the pair, a check box, a buy button outside any
    // form that acts only on a click its mousedown began, an input that
    // takes no value, and a form in a same-origin frame.
    server_.Get("/tracked", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(
          Page("<form><input type=\"text\" id=\"stake\" name=\"stake\" value=\"1\">"
               "<select id=\"pair\" name=\"pair\" onchange=\"state.pair = this.value\">"
               "<option value=\"frxEURUSD\">EUR/USD</option><option value=\"frxGBPUSD\">GBP/USD</option>"
               "</select>"
               "<input type=\"checkbox\" id=\"agree\" name=\"agree\" onclick=\"state.agree = this.checked\">"
               "<input type=\"text\" id=\"fixed\" name=\"fixed\" value=\"5\" oninput=\"this.value = '5'\">"
               "</form>"
               "<button type=\"button\" id=\"buy\" name=\"buy\">Buy</button>"
               "<input type=\"image\" id=\"picture\" name=\"picture\">"
               "<p id=\"state\"></p>"
               "<iframe srcdoc=\"<form><input type='text' id='inner' name='inner' value='in a frame'></form>\">"
               "</iframe>"
               "<script>var state = {stake: '1', pair: 'frxEURUSD', agree: false};"
               "var input = document.getElementById('stake');"
               "var native = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, 'value');"
               "var tracked = input.value;"
               "Object.defineProperty(input, 'value', {configurable: true,"
               "  get: function () { return native.get.call(this); },"
               "  set: function (v) { tracked = String(v); native.set.call(this, v); }});"
               "input.addEventListener('input', function () {"
               "  var now = native.get.call(input); if (now !== tracked) { tracked = now; state.stake = now; } });"
               "var buy = document.getElementById('buy'); var armed = false;"
               "buy.addEventListener('mousedown', function () { armed = true; });"
               "buy.addEventListener('click', function () { if (!armed) return;"
               "  document.getElementById('state').textContent = state.stake + ' ' + state.pair + ' ' + state.agree; });"
               "</script>"),
          "text/html; charset=utf-8");
    });
    // A form a script puts in half a second after the load, and a buy button
    // whose receipt comes in place of the form a moment after the click.
    server_.Get("/built", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(
          Page("<div id=\"place\"></div>"
               "<script>window.addEventListener('load', function () { setTimeout(function () {"
               "  document.getElementById('place').innerHTML = '<form><input type=\"text\" id=\"stake\" "
               "name=\"stake\" value=\"3\"></form><button type=\"button\" id=\"buy\" name=\"buy\" "
               "onclick=\"setTimeout(function () { document.getElementById(\\'place\\').innerHTML = "
               "\\'<p>Contract 1 bought</p>\\'; }, 200)\">Buy</button>'; }, 500); });</script>"),
          "text/html; charset=utf-8");
    });
    // Two megabytes of text and a script that keeps the page process busy.
    server_.Get("/big", [](const httplib::Request&, httplib::Response& response) {
      std::string body =
          "<script>function busy(ms) { var end = Date.now() + ms; while (Date.now() < end) {} }</script>";
      for (int paragraph = 0; body.size() < kBigPageBytes; ++paragraph)
        body += "<p>Paragraph " + std::to_string(paragraph) + " " + std::string(1000, 'x') + "</p>";
      response.set_content(Page(body), "text/html; charset=utf-8");
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
    browser.onDocumentChanged = [this] { ++changed; };
    browser.View()->resize(800, 600);
    browser.View()->show();
  }

  // Waits for the document-complete event number `count` and the end of loading.
  bool Loaded(int count) {
    return QTest::qWaitFor([&] { return completed >= count && !browser.Busy(); }, kLoadTimeoutMs);
  }
  // The document as the page answers it.
  std::optional<DomDocument> Read() {
    std::optional<std::optional<DomDocument>> answer;
    browser.ReadDocument([&](std::optional<DomDocument> document) { answer = std::move(document); });
    EXPECT_FALSE(answer) << "never inside the call";
    EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, kLoadTimeoutMs));
    return answer ? *answer : std::nullopt;
  }
  // What the page answers of the actions.
  std::vector<DomActionResult> Act(std::vector<DomAction> actions) {
    std::optional<std::vector<DomActionResult>> answer;
    browser.RunActions(std::move(actions), [&](std::vector<DomActionResult> results) { answer = std::move(results); });
    EXPECT_FALSE(answer) << "never inside the call";
    EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, kLoadTimeoutMs));
    return answer.value_or(std::vector<DomActionResult>{});
  }
  static DomAction Set(const std::string& id, const std::string& name, const std::string& type,
                       const std::string& value) {
    return {DomAction::Kind::SetValue, id, name, type, value, false};
  }
  static DomAction Click(const std::string& id, const std::string& name, const std::string& type) {
    return {DomAction::Kind::Click, id, name, type, "", false};
  }

  TestSite site;
  WebEngineBrowser browser;
  // Waits until a read made after the page told of a change holds `wanted`.
  bool ToldOf(const std::function<bool(const DomDocument&)>& wanted) {
    int seen = 0;
    return QTest::qWaitFor(
        [&] {
          if (changed == seen) return false;
          seen = changed;
          const std::optional<DomDocument> document = Read();
          return document && wanted(*document);
        },
        kLoadTimeoutMs);
  }
  std::vector<std::string> started;
  int completed = 0;
  int changed = 0;
};

TEST_F(WebEngineAdapter, ReadsTheDocumentIntoFormsLinksAndText) {
  browser.Navigate(site.Url("/form"));
  ASSERT_TRUE(Loaded(1));
  EXPECT_EQ(browser.LocationUrl(), site.Url("/form"));
  ASSERT_FALSE(started.empty());
  EXPECT_EQ(started.front(), site.Url("/form"));

  const std::optional<DomDocument> document = Read();
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

  const std::vector<DomActionResult> results =
      Act({Set("who", "who", "text", "Вася & Bob"), Set("who", "who", "other", "x"), Click("send", "send", "submit")});
  ASSERT_EQ(results.size(), 3u);
  EXPECT_TRUE(results[0].answered);
  EXPECT_EQ(results[0].count, 1);
  EXPECT_EQ(results[1].count, 0) << "no element of that type";
  EXPECT_EQ(results[2].count, 1);
  ASSERT_TRUE(Loaded(2));
  EXPECT_EQ(site.Received(), "Вася & Bob");
  const std::optional<DomDocument> answer = Read();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->body_html, "<p>Received: Вася &amp; Bob</p>");
}

// A password typed into the page never leaves it: its input reads as empty.
TEST_F(WebEngineAdapter, TypedPasswordIsNeverReadFromThePage) {
  browser.Navigate(site.Url("/login"));
  ASSERT_TRUE(Loaded(1));
  const std::vector<DomActionResult> results =
      Act({Set("who", "who", "text", "CR100200"), Set("pw", "pw", "password", " s3cret ")});
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[1].count, 1) << "typed";
  const std::optional<DomDocument> document = Read();
  ASSERT_TRUE(document);
  ASSERT_EQ(document->forms.at(0).elements.size(), 2u);
  EXPECT_EQ(document->forms[0].elements[0].value, "CR100200");
  EXPECT_EQ(document->forms[0].elements[1].value, "") << "an empty value, so that the input is still a record";
}

// The page rebuilds its form after it was read: an action still reaches the
// element with the record's identity wherever it stands now, or nothing.
TEST_F(WebEngineAdapter, ActionsReachTheElementWithTheRecordsIdentityOrNothing) {
  browser.Navigate(site.Url("/rebuilt"));
  ASSERT_TRUE(Loaded(1));
  const std::optional<DomDocument> read = Read();
  ASSERT_TRUE(read);
  ASSERT_EQ(read->forms.at(0).elements.at(0).id, "stake");
  browser.View()->page()->runJavaScript("rebuild()");
  const std::vector<DomActionResult> results =
      Act({Set("stake", "stake", "text", "25"), Set("gone", "gone", "text", "1"), Click("buy", "buy", "button")});
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(results[0].count, 1);
  EXPECT_EQ(results[1].count, 0);
  EXPECT_EQ(results[2].count, 1);
  const std::optional<DomDocument> now = Read();
  ASSERT_TRUE(now);
  ASSERT_EQ(now->forms.at(0).elements.size(), 3u);
  EXPECT_EQ(now->forms[0].elements[0].value, "0") << "the element now where the stake was took nothing";
  EXPECT_EQ(now->forms[0].elements[1].value, "25");
  EXPECT_EQ(now->forms[0].elements[2].value, "bought once");
}

// Controls outside any form are one more form after the page's own, and a
// same-origin frame's forms come after that; values go in as typed, so that
// the page's own copy of them follows, and a click is a person's click.
TEST_F(WebEngineAdapter, WritesAsTypingIntoControlsInAndOutsideFormsAndFrames) {
  browser.Navigate(site.Url("/tracked"));
  ASSERT_TRUE(Loaded(1));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !browser.Busy(); }, kLoadTimeoutMs));
  const std::optional<DomDocument> read = Read();
  ASSERT_TRUE(read);
  ASSERT_EQ(read->forms.size(), 3u);
  EXPECT_EQ(read->forms[0].elements.size(), 4u);
  ASSERT_EQ(read->forms[1].elements.size(), 1u) << "the button of no form, not the image input";
  EXPECT_EQ(read->forms[1].elements[0].id, "buy");
  ASSERT_EQ(read->forms[2].elements.size(), 1u);
  EXPECT_EQ(read->forms[2].elements[0].value, "in a frame");

  const std::vector<DomActionResult> results =
      Act({Set("stake", "stake", "text", "25"), Set("pair", "pair", "select-one", "frxGBPUSD"),
           Set("pair", "pair", "select-one", "frxXAUUSD"), Set("agree", "agree", "checkbox", "1"),
           Set("fixed", "fixed", "text", "7"), Set("inner", "inner", "text", "typed"),
           Click("buy", "buy", "button")});
  ASSERT_EQ(results.size(), 7u);
  EXPECT_EQ(results[0].count, 1);
  EXPECT_EQ(results[1].count, 1);
  EXPECT_EQ(results[2].count, 0) << "no such option";
  EXPECT_EQ(results[3].count, 1);
  EXPECT_EQ(results[4].count, 0) << "the page did not keep it";
  EXPECT_EQ(results[5].count, 1) << "in the frame";
  EXPECT_EQ(results[6].count, 1);
  const std::optional<DomDocument> now = Read();
  ASSERT_TRUE(now);
  EXPECT_NE(now->body_html->find("<p id=\"state\">25 frxGBPUSD true</p>"), std::string::npos)
      << "the page's own state: " << now->body_html.value_or("");
  EXPECT_EQ(now->forms.at(2).elements.at(0).value, "typed");
}

// A page its scripts build after the load and change in place without a new
// load tells of each change once its document is quiet again.
TEST_F(WebEngineAdapter, TellsOfWhatScriptsBuildAndChangeInPlace) {
  browser.Navigate(site.Url("/built"));
  ASSERT_TRUE(Loaded(1));
  ASSERT_TRUE(ToldOf([](const DomDocument& document) { return document.forms.size() == 2; }))
      << "the form and the button of no form";
  const int loads = completed;
  ASSERT_EQ(Act({Click("buy", "buy", "button")}).at(0).count, 1);
  EXPECT_TRUE(ToldOf([](const DomDocument& document) {
    return document.body_html && document.body_html->find("Contract 1 bought") != std::string::npos;
  }));
  EXPECT_EQ(completed, loads) << "shown in place, with no new load";
}

// Dialogs never wait for a user: an alert on load is dismissed, the confirm
// of a button accepted, and the page keeps answering.
TEST_F(WebEngineAdapter, DialogsAreAnsweredAndToldAndNewWindowsOpenInTheView) {
  std::vector<std::pair<PageDialog, std::string>> dialogs;
  browser.onPageDialog = [&](PageDialog dialog, const std::string& text) { dialogs.emplace_back(dialog, text); };
  browser.Navigate(site.Url("/dialogs"));
  ASSERT_TRUE(Loaded(1));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.empty(); }, kLoadTimeoutMs));
  EXPECT_EQ(dialogs[0], std::make_pair(PageDialog::Alert, std::string("Welcome")));
  ASSERT_TRUE(Read()) << "the page answers with the alert answered";

  ASSERT_EQ(Act({Click("buy", "buy", "button")}).at(0).count, 1);
  ASSERT_TRUE(Loaded(2));
  EXPECT_EQ(dialogs.at(1), std::make_pair(PageDialog::Confirm, std::string("Buy?")));
  EXPECT_EQ(browser.LocationUrl(), site.Url("/received?who=confirmed"));

  for (const char* opener : {"blank", "open"}) {
    browser.Navigate(site.Url("/dialogs"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return browser.LocationUrl() == site.Url("/dialogs") && !browser.Busy(); },
                                kLoadTimeoutMs));
    ASSERT_EQ(Act({Click(opener, opener, opener == std::string("blank") ? "submit" : "button")}).at(0).count, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return site.Received() == opener; }, kLoadTimeoutMs)) << opener;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return browser.LocationUrl().rfind(site.Url("/received?who=") + opener, 0) == 0; }, kLoadTimeoutMs))
        << "in the same view: " << browser.LocationUrl();
  }
}

TEST_F(WebEngineAdapter, AudioIsMutedAndTheContextMenuKeepsNoSaveNoSourceNoNewWindow) {
  EXPECT_TRUE(browser.View()->page()->isAudioMuted());
  browser.Navigate(site.Url("/form"));
  ASSERT_TRUE(Loaded(1));
  QWidget* target = browser.View()->focusProxy() ? browser.View()->focusProxy() : browser.View();
  // A right click on the page asks the engine for its menu, which the view
  // then shows.
  ASSERT_TRUE(QTest::qWaitFor([&] { return browser.View()->focusProxy() != nullptr; }, kLoadTimeoutMs));
  target = browser.View()->focusProxy();
  QTest::mouseClick(target, Qt::RightButton, Qt::NoModifier, QPoint(300, 300));
  ASSERT_TRUE(QTest::qWaitFor([&] { return browser.View()->lastContextMenuRequest() != nullptr; }, kLoadTimeoutMs));
  for (QWidget* popup : QApplication::topLevelWidgets())
    if (qobject_cast<QMenu*>(popup) != nullptr) popup->close();
  std::unique_ptr<QMenu> menu(browser.ContextMenu());
  ASSERT_TRUE(menu);
  for (QWebEnginePage::WebAction removed :
       {QWebEnginePage::SavePage, QWebEnginePage::ViewSource, QWebEnginePage::OpenLinkInNewWindow,
        QWebEnginePage::OpenLinkInNewTab, QWebEnginePage::SelectAll, QWebEnginePage::InspectElement})
    EXPECT_FALSE(menu->actions().contains(browser.View()->pageAction(removed))) << removed;
}

// A click that goes through the event loop, as the user's does.
void PostClick(QWidget* widget) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonPress, at, widget->mapToGlobal(at),
                                                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
  QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at),
                                                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

// The program's window takes the user's click while a parse of a 2 MB page
// waits for the page's busy script: nothing of the program waits for a page.
TEST(WebEngineProgram, TheWindowAnswersAClickWhileABigPageIsBusy) {
  TestSite site;
  QtProgram program(10);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.main_window));
  ExpandStrip* strip = FindWidget<ExpandStrip>(program.main_window);
  ASSERT_NE(strip, nullptr);
  program.form.browser_supervisor.NavigateUrl(site.Url("/big"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return program.form.page.WebFields.size() > 2000; }, kLoadTimeoutMs))
      << "the page's paragraphs parsed: " << program.form.page.WebFields.size();

  program.browser.View()->page()->runJavaScript("busy(3000)");
  std::optional<bool> parsed;
  program.form.page_encoder.HtmlParser([&](bool answered) { parsed = answered; });
  PostClick(strip);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return program.form.tmFormAnimate.Enabled() || parsed.has_value(); }, kLoadTimeoutMs));
  EXPECT_TRUE(program.form.tmFormAnimate.Enabled()) << "the panel unfolds on the click";
  EXPECT_FALSE(parsed.has_value()) << "the click waited for the page";
  ASSERT_TRUE(QTest::qWaitFor([&] { return parsed.has_value(); }, kLoadTimeoutMs));
  EXPECT_TRUE(*parsed) << "the page answers once its script is done";
}

}  // namespace
}  // namespace vantrope::testing
