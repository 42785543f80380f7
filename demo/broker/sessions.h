// Logged-in sessions: which account a browser acts for, the prices quoted
// to it, and the one-time tokens that carry a session to the site's other
// host name.
#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "money.h"
#include "trade_form.h"

namespace vantrope::demo {

struct Quote {
  int id = 0;
  TradeForm form;
  TradeTerms terms;
  Cents price_rise = 0;
  Cents payout_rise = 0;
  Cents price_fall = 0;
  Cents payout_fall = 0;
  int64_t made_ms = 0;
};

struct Session {
  std::string id;
  std::string account;
  int64_t last_seen_ms = 0;
  std::vector<Quote> quotes;  // the latest few
  int next_quote_id = 1;

  Quote& AddQuote(Quote quote);
  const Quote* FindQuote(int id) const;
  void DropQuote(int id);
};

class SessionStore {
 public:
  // A session not used for `idle_ms` expires.
  SessionStore(uint32_t seed, int64_t idle_ms);

  enum class State { kNone, kLive, kExpired };
  struct Found {
    State state = State::kNone;
    Session* session = nullptr;  // only when live
  };

  Session& Open(const std::string& account, int64_t now_ms);
  // A live session counts as used now.
  Found Find(const std::string& id, int64_t now_ms);
  // Logging out: the session is gone, not expired.
  void Close(const std::string& id);
  // The site ends every live session at once, as by an expiry.
  void ExpireAll();
  // Every price quoted so far goes stale at once.
  void AgeQuotes();

  // A token that stands for a live session for a minute, once.
  std::string IssueToken(const std::string& session_id, int64_t now_ms);
  // The session the token stood for, or an empty text.
  std::string RedeemToken(const std::string& token, int64_t now_ms);

 private:
  std::string NewKey();

  std::mt19937_64 engine_;
  int64_t idle_ms_;
  std::map<std::string, Session> live_;
  std::set<std::string> expired_;
  struct Token {
    std::string session;
    int64_t issued_ms;
  };
  std::map<std::string, Token> tokens_;
};

}  // namespace vantrope::demo
