#include "broker_site.h"

#include <stdexcept>

#include "pages.h"
#include "site_call.h"

namespace vantrope::demo {

Response HtmlResponse(int status, std::string body) {
  Response response;
  response.status = status;
  response.headers = {{"Content-Type", "text/html; charset=utf-8"}, {"Cache-Control", "no-store"}};
  response.body = std::move(body);
  return response;
}

Response Redirect(const std::string& location) {
  Response response;
  response.status = 303;
  response.headers = {{"Location", location}, {"Cache-Control", "no-store"}};
  return response;
}

// Host-only cookies: each host name of the site keeps its own, and a session
// reaches the other host name through a one-time token (/d/sso.cgi).
void SetSessionCookie(Response& response, const std::string& session) {
  response.headers.emplace_back("Set-Cookie",
                                std::string(kSessionCookie) + "=" + session + "; Path=/; HttpOnly; SameSite=Lax");
}

void ClearSessionCookie(Response& response) {
  response.headers.emplace_back("Set-Cookie", std::string(kSessionCookie) + "=; Path=/; Max-Age=0");
}

BrokerSite::BrokerSite(SiteOptions options, SiteClock& clock)
    : options_(std::move(options)),
      clock_(clock),
      outcomes_(options_.script, options_.seed),
      shares_(options_.seed),
      sessions_(options_.seed, options_.session_idle_ms) {
  if (options_.time_scale < 1) throw std::invalid_argument("the time scale is a whole number from 1 up");
  if (options_.price_share < 0 || options_.price_share > 99)
    throw std::invalid_argument("the price share is a percentage from 1 to 99, or 0");
}

Response BrokerSite::Handle(const Request& request) {
  Call call{request, clock_.NowMs(), ParseFields(request.query), {}, ParseCookieHeader(request.cookie), {}};
  if (request.method == "POST") call.form = ParseFields(request.body);
  call.frame.language = LanguageFromCode(FieldValue(call.query, "l"));
  call.frame.path = request.path;
  call.frame.query = call.query;
  const std::string portfolio = "/d/portfolio.cgi?l=" + call.lang();
  call.frame.portfolio_address = options_.hosts.size() > 1 ? "http://" + options_.hosts[1] + portfolio : portfolio;
  contracts_.SettleDue(call.now_ms, outcomes_, options_.accounts);
  return Route(call);
}

Response BrokerSite::Route(Call& call) {
  const Request& request = call.request;
  const std::string& path = request.path;
  const bool get = request.method == "GET";
  const bool post = request.method == "POST";
  if (get && path == "/") return Redirect(call.Here("/d/contact.cgi?l=" + call.lang()));
  if (get && path == "/d/login.cgi") {
    const std::string error = FieldValue(call.query, "error");
    const LoginNotice notice = error == "login"      ? LoginNotice::kFailed
                               : error == "disabled" ? LoginNotice::kDisabled
                               : error == "expired"  ? LoginNotice::kExpired
                                                     : LoginNotice::kNone;
    return HtmlResponse(200, LoginPage(call.frame, notice));
  }
  if (post && path == "/d/login.cgi") return Login(call);
  if (post && path == "/d/buy.cgi") ++purchases_asked_;
  if (get && path == "/logout") return Logout(call);
  if (get && path == "/d/sso.cgi") return CarrySession(call);
  if (get && path == "/d/error.cgi") return ErrorPage(call);
  if ((get && (path == "/d/contact.cgi" || path == "/d/trade.cgi" || path == "/d/receipt.cgi" ||
               path == "/d/portfolio.cgi")) ||
      (post && path == "/d/buy.cgi"))
    return WithSession(call);
  return HtmlResponse(404, NotFoundPage(call.frame));
}

Response BrokerSite::WithSession(Call& call) {
  const std::string login = "/d/login.cgi?l=" + call.lang();
  const SessionStore::Found found = sessions_.Find(FieldValue(call.cookies, kSessionCookie), call.now_ms);
  if (found.state != SessionStore::State::kLive) {
    const bool expired = found.state == SessionStore::State::kExpired;
    // The other host name may hold a live session, newer than an expired one
    // here: ask there, once, for a token.
    const std::string other = OtherHost(call.request.host);
    std::string self = call.request.path;
    if (!call.request.query.empty()) self += "?" + call.request.query;
    Fields ask = {{"l", call.lang()}, {"next", call.Here(self)}};
    if (expired) ask.emplace_back("expired", "1");
    Response response = call.request.method == "GET" && !other.empty()
                            ? Redirect("http://" + other + "/d/sso.cgi?" + EncodeFields(ask))
                            : Redirect(call.Here(login + (expired ? "&error=expired" : "")));
    if (expired) ClearSessionCookie(response);
    return response;
  }
  Account* account = FindAccount(found.session->account);
  if (account == nullptr) return Redirect(call.Here(login));
  if (account->disabled) return HtmlResponse(403, DisabledPage(call.frame, account->number));
  call.frame.account = account;
  return SessionPage(call, *found.session, *account);
}

Response BrokerSite::SessionPage(Call& call, Session& session, Account& account) {
  const std::string& path = call.request.path;
  if (path == "/d/contact.cgi") return HtmlResponse(200, MainPage(call.frame));
  if (path == "/d/trade.cgi") return Trade(call, session);
  if (path == "/d/buy.cgi") return Buy(call, session, account);
  if (path == "/d/receipt.cgi") return Receipt(call, account);
  return Portfolio(call, account);
}

Response BrokerSite::Login(Call& call) {
  const std::string login = "/d/login.cgi?l=" + call.lang();
  Account* account = FindAccount(FieldValue(call.form, "loginid"));
  if (account == nullptr || account->password != FieldValue(call.form, "password"))
    return Redirect(call.Here(login + "&error=login"));
  if (account->disabled) return Redirect(call.Here(login + "&error=disabled"));
  sessions_.Close(FieldValue(call.cookies, kSessionCookie));
  const Session& session = sessions_.Open(account->number, call.now_ms);
  Response response = Redirect(call.Here("/d/contact.cgi?l=" + call.lang()));
  SetSessionCookie(response, session.id);
  return response;
}

Response BrokerSite::Logout(Call& call) {
  sessions_.Close(FieldValue(call.cookies, kSessionCookie));
  Response response = Redirect(call.Here("/d/contact.cgi?l=" + call.lang()));
  ClearSessionCookie(response);
  return response;
}

// Both ends of carrying a session to the other host name. Asked with "next"
// alone, this host hands out a token for its session and sends the browser
// back; asked with a token, this host takes the session on.
Response BrokerSite::CarrySession(Call& call) {
  const std::string next = FieldValue(call.query, "next");
  const std::string token = FieldValue(call.query, "token");
  const std::string login = "/d/login.cgi?l=" + call.lang();
  if (!token.empty()) {
    const std::string session = sessions_.RedeemToken(token, call.now_ms);
    if (session.empty()) return Redirect(call.Here(login));
    const bool next_here = next.rfind(call.Here("/"), 0) == 0;
    Response response = Redirect(next_here ? next : call.Here("/d/contact.cgi?l=" + call.lang()));
    SetSessionCookie(response, session);
    return response;
  }
  // Only the site's own host names are sent back to.
  const std::string prefix = "http://";
  const size_t host_end = next.find('/', prefix.size());
  const std::string next_host = next.rfind(prefix, 0) == 0 && host_end != std::string::npos
                                    ? next.substr(prefix.size(), host_end - prefix.size())
                                    : std::string();
  if (!IsSiteHost(next_host) || next_host == call.request.host) return HtmlResponse(404, NotFoundPage(call.frame));
  const SessionStore::Found found = sessions_.Find(FieldValue(call.cookies, kSessionCookie), call.now_ms);
  if (found.state == SessionStore::State::kLive) {
    const std::string issued = sessions_.IssueToken(found.session->id, call.now_ms);
    return Redirect("http://" + next_host + "/d/sso.cgi?" +
                    EncodeFields({{"l", call.lang()}, {"token", issued}, {"next", next}}));
  }
  const bool expired = found.state == SessionStore::State::kExpired;
  Response response = Redirect("http://" + next_host + login +
                               (expired || FieldValue(call.query, "expired") == "1" ? "&error=expired" : ""));
  if (expired) ClearSessionCookie(response);
  return response;
}

Response BrokerSite::ErrorPage(Call& call) {
  const std::string reason = FieldValue(call.query, "reason");
  if (reason == "balance") return HtmlResponse(409, RefusedPage(call.frame));
  if (reason == "purchase") return HtmlResponse(400, RequestErrorPage(call.frame, call.frame.texts().reason_purchase));
  return HtmlResponse(404, NotFoundPage(call.frame));
}

void BrokerSite::DisableAccount(const std::string& number, bool disabled) {
  if (Account* account = FindAccount(number)) account->disabled = disabled;
}

void BrokerSite::Deposit(const std::string& number, Cents amount) {
  if (Account* account = FindAccount(number)) account->balance += amount;
}

Account* BrokerSite::FindAccount(const std::string& number) {
  for (Account& account : options_.accounts)
    if (account.number == number) return &account;
  return nullptr;
}

std::string BrokerSite::OtherHost(const std::string& host) const {
  for (const std::string& other : options_.hosts)
    if (other != host) return other;
  return {};
}

bool BrokerSite::IsSiteHost(const std::string& host) const {
  for (const std::string& known : options_.hosts)
    if (known == host) return true;
  return false;
}

int64_t BrokerSite::Scaled(int64_t ms) const { return ms / options_.time_scale; }

}  // namespace vantrope::demo
