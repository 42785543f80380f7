// The robot logs in: the password goes as typed, and only to the site's own
// hosts; a refusal ends the run only when the login form's own answer says so.
#include <gtest/gtest.h>

#include "scenario/bet_scenario.h"

namespace vantrope::testing {
namespace {

constexpr int kForeignLoginPage = 292;
constexpr int kNoRefusalOfThePress = 293;
constexpr const char* kBlankedPassword = "  demo201 ";

demo::Response RedirectTo(const std::string& location) {
  demo::Response response;
  response.status = 303;
  response.headers = {{"Location", location}};
  return response;
}

class LoginScenario : public BetScenario {
 protected:
  LoginScenario() : BetScenario(SiteWithBlanksInAPassword(), {}) {}
  static demo::SiteOptions SiteWithBlanksInAPassword() {
    demo::SiteOptions options = Options("W");
    for (demo::Account& account : options.accounts)
      if (account.number == "CR100201") account.password = kBlankedPassword;
    return options;
  }
  bool DebugLogHas(int text) {
    for (const std::string& line : F().fmDebug.mmLog.Lines())
      if (line.find(F().Txt(text)) != std::string::npos) return true;
    return false;
  }
};

TEST_F(LoginScenario, PasswordWithBlanksAtItsEndsLogsIn) {
  Start("CR100201", kBlankedPassword);
  ASSERT_TRUE(ReachReadyForm()) << "step " << F().robot.BetOnStatus << ", page " << int(F().page.PageIndex);
  EXPECT_EQ(RowsOfType(ltError), 0);
}

// Each Start logs in with the password the panel has then; the robot keeps
// none once it has stopped.
TEST_F(LoginScenario, EachStartTakesThePasswordThePanelHasThen) {
  Start("CR100201", "wrong");
  ASSERT_TRUE(RunUntil([&] { return !F().robot.Running; }, 120'000)) << "a refused login stops the robot";
  EXPECT_EQ(F().credentials.password, "");
  Start("CR100201", kBlankedPassword);
  EXPECT_TRUE(ReachReadyForm()) << "step " << F().robot.BetOnStatus << ", page " << int(F().page.PageIndex);
}

// The site's login page is sent on to another host: first to a look-alike,
// which gets nothing; then to the site's second host name, where the robot
// logs in.
TEST_F(LoginScenario, PasswordGoesOnlyToTheSitesOwnHosts) {
  const std::string foreign = "login.example:8470";
  std::string login_host = foreign;
  int password_sent_away = 0, typed_away = 0, main_pages = 0;
  world.browser->intercept = [&](const demo::Request& request) -> std::optional<demo::Response> {
    if (request.host == foreign) {
      if (request.body.find("password=") != std::string::npos) ++password_sent_away;
      demo::Request copy;
      copy.host = "127.0.0.1:8470";
      copy.path = "/d/login.cgi";
      copy.query = "l=EN";
      return world.Site().Handle(copy);
    }
    if (request.method == "GET" && request.path == "/d/login.cgi" && request.host != login_host)
      return RedirectTo("http://" + login_host + "/d/login.cgi?" + request.query);
    return std::nullopt;
  };
  world.browser->on_actions = [&](const std::vector<DomAction>& actions) {
    for (const DomAction& action : actions)
      if (action.value == "demo200" && world.browser->LocationUrl().find(foreign) != std::string::npos) ++typed_away;
  };
  world.browser->on_navigate = [&](const std::string& url) { main_pages += url == F().site.MainUrl; };

  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return RowsWith(ltError, kForeignLoginPage) == 1; }, 120'000));
  main_pages = 0;
  RunUntil([] { return false; }, 180'000);
  EXPECT_EQ(RowsWith(ltError, kForeignLoginPage), 1) << "said once";
  EXPECT_LE(main_pages, 4) << "the main address again, at a long interval";
  EXPECT_EQ(typed_away, 0);
  EXPECT_EQ(password_sent_away, 0);
  EXPECT_EQ(F().robot.RobotStatus, rsSimpleBet) << "the run goes on";
  for (int row = 0; row < F().event_log.gwLog.RowCount(); ++row) {
    const std::string& text = F().event_log.gwLog.Cell(2, row);
    if (text.find(F().Txt(kForeignLoginPage)) == std::string::npos) continue;
    EXPECT_NE(text.find("login.example"), std::string::npos) << "the host is named";
    EXPECT_EQ(text.find("demo200"), std::string::npos);
  }

  login_host = "localhost:8470";
  ASSERT_TRUE(ReachReadyForm(300'000)) << "step " << F().robot.BetOnStatus << ", page " << int(F().page.PageIndex);
  EXPECT_EQ(RowsWith(ltError, kForeignLoginPage), 1);
}

// Who loads an address again while the site is slow to answer the login
// form: the watchdog, or the user with the address bar.
enum class Reloader { Watchdog, AddressBar };

class SlowLoginAnswer : public LoginScenario, public ::testing::WithParamInterface<Reloader> {};

// The site takes two and a half minutes to answer the login form, which it
// took; its login address, asked for without the form, says the login
// failed. That is no refusal of the robot's login: it logs in and trades.
TEST_P(SlowLoginAnswer, IsNoRefusalOfTheLogin) {
  bool posted = false, slow = false;
  world.browser->intercept = [&](const demo::Request& request) -> std::optional<demo::Response> {
    if (request.path != "/d/login.cgi") return std::nullopt;
    if (request.method == "POST") {
      posted = slow = true;
      return std::nullopt;
    }
    if (!posted) return std::nullopt;
    demo::Request failed = request;
    failed.query += "&error=login";
    return world.Site().Handle(failed);
  };
  world.browser->load_ms = [&](const std::string&) -> std::optional<int> {
    if (!slow) return std::nullopt;
    slow = false;
    return 150'000;
  };
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return posted; }, 120'000));
  if (GetParam() == Reloader::AddressBar) {
    RunUntil([] { return false; }, 30'000);
    F().teWebAddrButtonClick();
  }
  ASSERT_TRUE(ReachReadyForm(300'000)) << "step " << F().robot.BetOnStatus << ", page " << int(F().page.PageIndex);
  EXPECT_EQ(RowsOfType(ltError), 0);
  if (GetParam() == Reloader::AddressBar) {
    EXPECT_TRUE(DebugLogHas(kNoRefusalOfThePress));
  }
}

INSTANTIATE_TEST_SUITE_P(Reloads, SlowLoginAnswer, ::testing::Values(Reloader::Watchdog, Reloader::AddressBar));

}  // namespace
}  // namespace vantrope::testing
