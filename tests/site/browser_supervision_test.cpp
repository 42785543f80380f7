// Navigation, the parse delay, the two watchdogs and the security prompts.
#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace vantrope {
namespace {

class BrowserSupervisionTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    WriteSettings(
        "[LangPack]\nTXT_136=Страница не опознана, перезагрузка\nTXT_137=Подтверждено\nTXT_281=Диалог закрыт\n"
        "TXT_282=Процесс страницы завершился\n");
    Start();
    fake.browser.navigations = {"http://127.0.0.1:8470/d/trade.cgi?l=EN"};
    fake.browser.document = DomDocument{};
  }
  bool DebugLogHas(const std::string& text) const {
    for (const std::string& line : form->fmDebug.mmLog.Lines())
      if (line.find("> " + text) != std::string::npos) return true;
    return false;
  }
  int Parses() const { return fake.browser.document_reads; }
};

TEST_F(BrowserSupervisionTest, ManyCompletedDocumentsGiveOneParseFiveSecondsAfterTheLast) {
  for (int i = 0; i < 3; ++i) {
    fake.browser.onDocumentComplete();
    fake.clock.Advance(1000);
  }
  EXPECT_EQ(Parses(), 0);
  fake.clock.Advance(3999);  // the last one came 1 s ago
  EXPECT_EQ(Parses(), 0);
  fake.clock.Advance(1);
  EXPECT_EQ(Parses(), 1);
  fake.clock.Advance(5000);
  EXPECT_EQ(Parses(), 2) << "then every 5 s while the browser is idle";
  fake.browser.busy = true;
  fake.clock.Advance(5000);
  EXPECT_EQ(Parses(), 2) << "a tick on a busy browser does nothing";
}

TEST_F(BrowserSupervisionTest, BeforeNavigateShowsTheAddressAndWaitsForANewPage) {
  form->page.SiteDataUpdated = true;
  fake.browser.onBeforeNavigate("http://127.0.0.1:8470/d/portfolio.cgi");
  EXPECT_EQ(form->browser_panel.teWebAddr.Text(), "http://127.0.0.1:8470/d/portfolio.cgi");
  EXPECT_FALSE(form->page.SiteDataUpdated);
  EXPECT_TRUE(form->browser_panel.pbWEB.Visible());
  fake.browser.onDocumentComplete();
  EXPECT_FALSE(form->browser_panel.pbWEB.Visible());
}

TEST_F(BrowserSupervisionTest, StalledNavigationIsReloadedAfterThreeMinutes) {
  form->browser_supervisor.NavigateUrl("http://127.0.0.1:8470/stalled");
  fake.browser.onBeforeNavigate("http://127.0.0.1:8470/stalled");
  fake.browser.busy = true;
  const size_t before = fake.browser.navigations.size();
  fake.clock.Advance(179'999);
  EXPECT_EQ(fake.browser.navigations.size(), before);
  fake.browser.busy = false;
  fake.clock.Advance(1);
  ASSERT_EQ(fake.browser.navigations.size(), before + 1);
  EXPECT_EQ(fake.browser.navigations.back(), "http://127.0.0.1:8470/stalled");
  EXPECT_GE(fake.browser.stops, 1);
  EXPECT_FALSE(form->tmWebWDT.Enabled());
}

TEST_F(BrowserSupervisionTest, UnrecognisedPageIsReloadedOnceAfterTheLastProgress) {
  form->browser_supervisor.NavigateUrl("http://127.0.0.1:8470/unknown");
  form->browser_panel.teWebAddr.SetText("http://127.0.0.1:8470/unknown");
  fake.browser.onProgressChange();
  fake.clock.Advance(60'000);
  fake.browser.onProgressChange();
  const size_t before = fake.browser.navigations.size();
  fake.clock.Advance(99'999);
  EXPECT_EQ(fake.browser.navigations.size(), before);
  fake.clock.Advance(1);
  ASSERT_EQ(fake.browser.navigations.size(), before + 1);
  EXPECT_EQ(fake.browser.navigations.back(), "http://127.0.0.1:8470/unknown");
  EXPECT_TRUE(DebugLogHas("Страница не опознана, перезагрузка"));
  fake.clock.Advance(200'000);
  EXPECT_EQ(fake.browser.navigations.size(), before + 1) << "no progress, no second reload";
}

// A page the robot did not ask for (the login form's answer, here) is never
// asked for again: with the robot stopped, the watchdogs and a gone page
// open the address it last opened itself.
TEST_F(BrowserSupervisionTest, PageTheRobotDidNotAskForIsNeverLoadedAgain) {
  const std::string own = "http://127.0.0.1:8470/d/contact.cgi?l=EN";
  form->browser_supervisor.NavigateUrl(own);
  const auto form_answer = [&] { fake.browser.onBeforeNavigate("http://127.0.0.1:8470/d/login.cgi?l=EN"); };
  form_answer();
  fake.clock.Advance(180'000);
  form_answer();
  fake.browser.onProgressChange();
  fake.clock.Advance(100'000);
  form_answer();
  fake.browser.onPageProcessGone();
  EXPECT_EQ(fake.browser.navigations,
            (std::vector<std::string>{"http://127.0.0.1:8470/d/trade.cgi?l=EN", own, own, own, own}));
}

TEST_F(BrowserSupervisionTest, NavigateStopsABusyBrowserWithoutWaiting) {
  fake.browser.busy = true;
  const int64_t before = fake.clock.ElapsedMs();
  form->browser_supervisor.NavigateUrl("http://127.0.0.1:8470/next");
  EXPECT_EQ(fake.browser.stops, 1);
  EXPECT_EQ(fake.browser.navigations.back(), "http://127.0.0.1:8470/next");
  EXPECT_EQ(fake.clock.ElapsedMs(), before) << "nothing waits";
  EXPECT_TRUE(DebugLogHas("http://127.0.0.1:8470/next"));
}

TEST_F(BrowserSupervisionTest, PageDialogsAreWrittenDownAndAGonePageIsLoadedAgain) {
  fake.browser.onPageDialog(PageDialog::Confirm, "Leave?");
  EXPECT_TRUE(DebugLogHas("Диалог закрыт confirm: Leave?"));
  form->browser_supervisor.NavigateUrl("http://127.0.0.1:8470/d/trade.cgi?l=EN");
  form->browser_panel.teWebAddr.SetText("http://127.0.0.1:8470/d/trade.cgi?l=EN");
  const size_t before = fake.browser.navigations.size();
  fake.browser.onPageProcessGone();
  EXPECT_TRUE(DebugLogHas("Процесс страницы завершился"));
  ASSERT_EQ(fake.browser.navigations.size(), before + 1);
  EXPECT_EQ(fake.browser.navigations.back(), "http://127.0.0.1:8470/d/trade.cgi?l=EN");
}

TEST_F(BrowserSupervisionTest, SecurityPromptsAreAnsweredYes) {
  fake.windows.windows = {{"Другое окно", {"&Yes"}},
                          {"Security Alert", {"&No", "&Yes"}},
                          {"Security Warning", {"No"}}};
  form->tmAutoApplySecurity.SetEnabled(true);
  fake.clock.Advance(2500);
  EXPECT_TRUE(fake.windows.clicked.empty()) << "the first title found has only No";
  fake.windows.windows.erase(fake.windows.windows.begin() + 2);
  fake.clock.Advance(2500);
  EXPECT_EQ(fake.windows.clicked, std::vector<std::string>{"&Yes"});
  EXPECT_TRUE(DebugLogHas("Подтверждено"));
}

TEST_F(BrowserSupervisionTest, AddressBarNavigatesAndParses) {
  form->browser_panel.teWebAddr.SetText("http://127.0.0.1:8470/d/contact.cgi");
  form->browser_panel.teWebAddr.onButtonClick();
  EXPECT_EQ(fake.browser.navigations.back(), "http://127.0.0.1:8470/d/contact.cgi");
  const int before = Parses();
  form->browser_panel.teWebAddr.onDblClick();
  EXPECT_EQ(Parses(), before + 1);
}

TEST_F(BrowserSupervisionTest, BrowserEmulationIsAskedForByProgramName) {
  EXPECT_EQ(fake.shell.emulation_requests, std::vector<std::string>{"vantrope=10000"});
}

}  // namespace
}  // namespace vantrope
