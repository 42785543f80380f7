// The server program over real HTTP: it serves the site model's pages,
// carries a session between its two host names, writes the account file and
// stops cleanly on SIGTERM.
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "broker/broker_site.h"
#include "broker/url_encoding.h"

namespace vantrope::demo {
namespace {

class FixedClock : public SiteClock {
 public:
  int64_t NowMs() override { return 0; }
};

class DemoServer : public ::testing::Test {
 protected:
  void SetUp() override {
    accounts_file_ = ::testing::TempDir() + "demo_server_accounts.txt";
    std::remove(accounts_file_.c_str());
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    pid_ = fork();
    ASSERT_GE(pid_, 0);
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      execl(VANTROPE_DEMO_BROKER, VANTROPE_DEMO_BROKER, "--port", "0", "--seed", "7", "--accounts-file",
            accounts_file_.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    output_ = fdopen(out[0], "r");
    ASSERT_NE(output_, nullptr);
    // The first line names the port once the server answers.
    char line[256] = {};
    ASSERT_NE(fgets(line, sizeof line, output_), nullptr);
    const std::string text = line;
    const size_t at = text.find("127.0.0.1:");
    ASSERT_NE(at, std::string::npos) << text;
    port_ = std::stoi(text.substr(at + 10));
  }

  void TearDown() override {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    if (output_ != nullptr) fclose(output_);
  }

  // Stops the server and tells how it ended.
  int StopServer() {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }

  std::string Host(const std::string& name) const { return name + ":" + std::to_string(port_); }

  // The value of the session cookie a response sets, or an empty text.
  static std::string SessionCookie(const httplib::Result& result) {
    const std::string header = result->get_header_value("Set-Cookie");
    const size_t end = header.find(';');
    return header.substr(0, end);
  }

  // The path and query of a redirect's address. The client hands the
  // address over decoded; the "next" address, always the last field, is
  // encoded again.
  static std::string RequestTarget(const std::string& location) {
    const std::string path = location.substr(location.find("/d/"));
    const size_t next = path.find("next=");
    return next == std::string::npos ? path : path.substr(0, next + 5) + UrlEncode(path.substr(next + 5));
  }

  pid_t pid_ = -1;
  FILE* output_ = nullptr;
  int port_ = 0;
  std::string accounts_file_;
};

TEST_F(DemoServer, ServesThePageTheSiteModelRenders) {
  httplib::Client client("127.0.0.1", port_);
  const httplib::Result served = client.Get("/d/login.cgi?l=EN");
  ASSERT_TRUE(served);

  FixedClock clock;
  SiteOptions options;
  options.hosts = {Host("127.0.0.1"), Host("localhost")};
  options.seed = 7;
  BrokerSite site(options, clock);
  Request request;
  request.host = Host("127.0.0.1");
  request.path = "/d/login.cgi";
  request.query = "l=EN";
  const Response modelled = site.Handle(request);

  EXPECT_EQ(served->status, modelled.status);
  EXPECT_EQ(served->get_header_value("Content-Type"), "text/html; charset=utf-8");
  EXPECT_EQ(served->body, modelled.body);
}

TEST_F(DemoServer, SessionReachesThePortfolioOnTheSecondHostName) {
  httplib::Client main_host("127.0.0.1", port_);
  httplib::Client second_host("localhost", port_);
  // The site's addresses come encoded already.
  main_host.set_url_encode(false);
  second_host.set_url_encode(false);

  const auto login =
      main_host.Post("/d/login.cgi?l=EN", "loginid=CR100200&password=demo200", "application/x-www-form-urlencoded");
  ASSERT_TRUE(login);
  ASSERT_EQ(login->status, 303);
  const std::string main_cookie = SessionCookie(login);
  ASSERT_FALSE(main_cookie.empty());

  // No cookie on the second host yet: it asks the first host for the session.
  const auto asked = second_host.Get("/d/portfolio.cgi?l=EN");
  ASSERT_TRUE(asked);
  ASSERT_EQ(asked->status, 303);
  const std::string to_main = asked->get_header_value("Location");
  ASSERT_EQ(to_main.rfind("http://" + Host("127.0.0.1") + "/d/sso.cgi?", 0), 0u) << to_main;

  const auto token = main_host.Get(RequestTarget(to_main), {{"Cookie", main_cookie}});
  ASSERT_TRUE(token);
  ASSERT_EQ(token->status, 303);
  const std::string back = token->get_header_value("Location");
  ASSERT_EQ(back.rfind("http://" + Host("localhost") + "/d/sso.cgi?", 0), 0u) << back;

  const auto taken = second_host.Get(RequestTarget(back));
  ASSERT_TRUE(taken);
  ASSERT_EQ(taken->status, 303);
  EXPECT_EQ(taken->get_header_value("Location"), "http://" + Host("localhost") + "/d/portfolio.cgi?l=EN");
  const std::string second_cookie = SessionCookie(taken);
  ASSERT_FALSE(second_cookie.empty());

  const auto portfolio = second_host.Get("/d/portfolio.cgi?l=EN", {{"Cookie", second_cookie}});
  ASSERT_TRUE(portfolio);
  EXPECT_EQ(portfolio->status, 200);
  EXPECT_NE(portfolio->body.find("<td>: USD 1,250.00</td>"), std::string::npos);
  EXPECT_NE(portfolio->body.find("<td>: CR100200</td>"), std::string::npos);
}

TEST_F(DemoServer, WritesTheAccountFileAndStopsCleanlyOnSigterm) {
  std::ifstream file(accounts_file_);
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_EQ(text.str(), "CR100200\nCR100201\nVRTC300\nCR100209\nCR100299\n");

  const int status = StopServer();
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  char line[256] = {};
  ASSERT_NE(fgets(line, sizeof line, output_), nullptr);
  EXPECT_STREQ(line, "vantrope-demo-broker: stopped\n");
}

}  // namespace
}  // namespace vantrope::demo
