// Logging in and out, sessions on both host names, and their expiry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "demo_world.h"

namespace vantrope::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kLogin = "http://127.0.0.1:8470/d/login.cgi?l=EN";
constexpr int64_t kIdleMs = 30 * 60 * 1000;

demo::Response LogIn(demo::BrokerSite& site, const std::string& account, const std::string& password) {
  return Ask(site, "POST", kLogin, "loginid=" + account + "&password=" + password + "&login=1");
}

TEST(DemoSiteLogin, RightPasswordOpensASessionOnTheLoggedInPage) {
  DemoWorld world;
  const demo::Response login = LogIn(world.site, "CR100200", "demo200");
  EXPECT_EQ(login.status, 303);
  EXPECT_EQ(login.Header("Location"), kMainUrl);
  const std::string cookie = SessionCookieOf(login);
  ASSERT_FALSE(cookie.empty());

  const demo::Response main = Ask(world.site, "GET", kMainUrl, "", cookie);
  EXPECT_EQ(main.status, 200);
  EXPECT_THAT(main.body, HasSubstr("<p class=\"account\" id=\"logged-in\">You are logged in as CR100200.</p>"));
}

TEST(DemoSiteLogin, WrongPasswordOrUnknownAccountLeadsToTheFailedLoginPage) {
  DemoWorld world;
  for (const auto& [account, password] : {std::pair{"CR100200", "demo201"}, std::pair{"CR999999", "demo200"},
                                          std::pair{"cr100200", "demo200"}, std::pair{"CR100200", ""}}) {
    const demo::Response login = LogIn(world.site, account, password);
    EXPECT_EQ(login.status, 303) << account;
    EXPECT_EQ(login.Header("Location"), std::string(kLogin) + "&error=login") << account;
    EXPECT_EQ(SessionCookieOf(login), "") << account;
  }
  const demo::Response page = Ask(world.site, "GET", std::string(kLogin) + "&error=login");
  EXPECT_THAT(page.body, HasSubstr("Login failed: the account number or the password is wrong."));
  EXPECT_THAT(page.body, HasSubstr("id=\"loginid\""));
}

TEST(DemoSiteLogin, DisabledAccountIsRefusedAtLogin) {
  DemoWorld world;
  const demo::Response login = LogIn(world.site, "CR100299", "demo299");
  EXPECT_EQ(login.Header("Location"), std::string(kLogin) + "&error=disabled");
  EXPECT_EQ(SessionCookieOf(login), "");
  EXPECT_THAT(Ask(world.site, "GET", login.Header("Location")).body,
              HasSubstr("Login failed: this account is disabled."));
}

TEST(DemoSiteLogin, WithoutASessionThePagesLeadToTheLoginPage) {
  DemoWorld world;
  // The main host asks the second host whether it knows a session...
  const demo::Response main = Ask(world.site, "GET", kMainUrl);
  EXPECT_EQ(main.status, 303);
  EXPECT_EQ(main.Header("Location"),
            "http://localhost:8470/d/sso.cgi?l=EN&next=http%3A%2F%2F127.0.0.1%3A8470%2Fd%2Fcontact.cgi%3Fl%3DEN");
  // ...which does not, and sends the browser to the login page.
  EXPECT_EQ(Ask(world.site, "GET", main.Header("Location")).Header("Location"), kLogin);

  world.Open(kMainUrl);
  EXPECT_EQ(world.browser.LocationUrl(), kLogin);
  // A purchase without a session cannot go round the other host.
  EXPECT_EQ(Ask(world.site, "POST", "http://127.0.0.1:8470/d/buy.cgi?l=EN", "quote=1&price=7.50&contract_type=CALL")
                .Header("Location"),
            kLogin);
}

TEST(DemoSiteLogin, SessionReachesTheSecondHostNameThroughAOneTimeToken) {
  DemoWorld world;
  world.Open(kLogin);
  ASSERT_TRUE(world.Set(FormById("loginid"), "CR100200"));
  ASSERT_TRUE(world.Set(FormById("password"), "demo200"));
  ASSERT_TRUE(world.Press(FormById("login")));
  ASSERT_FALSE(world.browser.Cookie("localhost", "vt_session"));

  world.Open(kPortFolioUrl);
  EXPECT_EQ(world.browser.LocationUrl(), kPortFolioUrl);
  EXPECT_EQ(world.browser.Status(), 200);
  EXPECT_EQ(world.Value(TableCell(1, 1, 2)), ": CR100200");
  // Host-only cookies on each name, for the one session.
  EXPECT_EQ(world.browser.Cookie("localhost", "vt_session"), world.browser.Cookie("127.0.0.1", "vt_session"));

  // A token is good once.
  const demo::Response issued =
      Ask(world.site, "GET",
          "http://127.0.0.1:8470/d/sso.cgi?l=EN&next=http%3A%2F%2Flocalhost%3A8470%2Fd%2Fportfolio.cgi%3Fl%3DEN", "",
          "vt_session=" + *world.browser.Cookie("127.0.0.1", "vt_session"));
  const std::string token_address = issued.Header("Location");
  ASSERT_THAT(token_address, HasSubstr("token="));
  EXPECT_EQ(Ask(world.site, "GET", token_address).Header("Location"), kPortFolioUrl);
  EXPECT_EQ(Ask(world.site, "GET", token_address).Header("Location"), "http://localhost:8470/d/login.cgi?l=EN");
}

TEST(DemoSiteLogin, TokensAreNotHandedToAnotherSite) {
  DemoWorld world;
  const std::string cookie = SessionCookieOf(LogIn(world.site, "CR100200", "demo200"));
  const demo::Response response =
      Ask(world.site, "GET", "http://127.0.0.1:8470/d/sso.cgi?l=EN&next=http%3A%2F%2Fexample.com%2Fsteal", "", cookie);
  EXPECT_EQ(response.status, 404);
  EXPECT_EQ(response.Header("Location"), "");
}

TEST(DemoSiteLogin, LogoutEndsTheSessionOnBothHostNames) {
  DemoWorld world;
  world.Open(kLogin);
  world.Set(FormById("loginid"), "CR100200");
  world.Set(FormById("password"), "demo200");
  world.Press(FormById("login"));
  world.Open(kPortFolioUrl);
  ASSERT_EQ(world.browser.LocationUrl(), kPortFolioUrl);

  world.Open(kLogOutUrl);
  EXPECT_EQ(world.browser.LocationUrl(), kLogin);
  EXPECT_FALSE(world.browser.Cookie("127.0.0.1", "vt_session"));
  // The second host still holds the cookie of a session that is gone.
  ASSERT_TRUE(world.browser.Cookie("localhost", "vt_session"));
  world.Open(kPortFolioUrl);
  EXPECT_EQ(world.browser.LocationUrl(), "http://localhost:8470/d/login.cgi?l=EN");
}

TEST(DemoSiteSession, UnusedSessionExpiresAndSaysSo) {
  DemoWorld world;
  const std::string cookie = SessionCookieOf(LogIn(world.site, "CR100200", "demo200"));
  world.Wait(kIdleMs - 1);
  EXPECT_EQ(Ask(world.site, "GET", kReturnUrl, "", cookie).status, 200);
  // Each use counts from its own time.
  world.Wait(kIdleMs);
  EXPECT_EQ(Ask(world.site, "GET", kReturnUrl, "", cookie).status, 200);
  world.Wait(kIdleMs + 1);
  const demo::Response expired = Ask(world.site, "GET", kReturnUrl, "", cookie);
  EXPECT_EQ(expired.status, 303);
  EXPECT_EQ(expired.Header("Location"),
            "http://localhost:8470/d/sso.cgi?l=EN&next=http%3A%2F%2F127.0.0.1%3A8470%2Fd%2Ftrade.cgi%3Fl%3DEN"
            "&expired=1");
  bool cleared = false;
  for (const auto& [name, value] : expired.headers)
    cleared |= name == "Set-Cookie" && value == "vt_session=; Path=/; Max-Age=0";
  EXPECT_TRUE(cleared);
  // The second host name has no newer session either.
  EXPECT_EQ(Ask(world.site, "GET", expired.Header("Location")).Header("Location"),
            std::string(kLogin) + "&error=expired");
  // The session is gone for good, not only on this request.
  EXPECT_EQ(Ask(world.site, "GET", kReturnUrl, "", cookie).status, 303);

  const demo::Response page = Ask(world.site, "GET", std::string(kLogin) + "&error=expired");
  EXPECT_THAT(page.body, HasSubstr("Your session has expired. Please log in again."));
  EXPECT_THAT(page.body, HasSubstr("id=\"login\""));
  EXPECT_THAT(page.body, Not(HasSubstr("Login failed")));
}

TEST(DemoSiteSession, NewSessionOnOneHostNameReplacesAnExpiredOneOnTheOther) {
  demo::SiteOptions options;
  options.session_idle_ms = 60000;
  DemoWorld world(options);
  world.Open(kLogin);
  world.Set(FormById("loginid"), "CR100200");
  world.Set(FormById("password"), "demo200");
  world.Press(FormById("login"));
  world.Open(kPortFolioUrl);
  world.Wait(60001);
  world.Open(kLogin);
  world.Set(FormById("loginid"), "CR100201");
  world.Set(FormById("password"), "demo201");
  world.Press(FormById("login"));
  world.Open(kPortFolioUrl);
  EXPECT_EQ(world.browser.LocationUrl(), kPortFolioUrl);
  EXPECT_EQ(world.Value(TableCell(1, 1, 2)), ": CR100201");
}

TEST(DemoSiteSession, ExpiredSessionSeenFromTheSecondHostNameToo) {
  demo::SiteOptions options;
  options.session_idle_ms = 60000;
  DemoWorld world(options);
  world.Open(kLogin);
  world.Set(FormById("loginid"), "CR100200");
  world.Set(FormById("password"), "demo200");
  world.Press(FormById("login"));
  world.Wait(60001);
  world.Open(kPortFolioUrl);
  EXPECT_EQ(world.browser.LocationUrl(), "http://localhost:8470/d/login.cgi?l=EN&error=expired");
}

}  // namespace
}  // namespace vantrope::testing
