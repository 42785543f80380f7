#include "sessions.h"

#include <algorithm>
#include <limits>

namespace vantrope::demo {

namespace {

constexpr size_t kQuotesKept = 20;
constexpr int64_t kTokenLifetimeMs = 60000;

}  // namespace

Quote& Session::AddQuote(Quote quote) {
  quote.id = next_quote_id++;
  if (quotes.size() == kQuotesKept) quotes.erase(quotes.begin());
  quotes.push_back(std::move(quote));
  return quotes.back();
}

const Quote* Session::FindQuote(int id) const {
  for (const Quote& quote : quotes)
    if (quote.id == id) return &quote;
  return nullptr;
}

void Session::DropQuote(int id) {
  quotes.erase(std::remove_if(quotes.begin(), quotes.end(), [id](const Quote& quote) { return quote.id == id; }),
               quotes.end());
}

SessionStore::SessionStore(uint32_t seed, int64_t idle_ms) : engine_(seed), idle_ms_(idle_ms) {}

std::string SessionStore::NewKey() {
  static const char kHex[] = "0123456789abcdef";
  uint64_t bits = engine_();
  std::string key;
  for (int i = 0; i < 16; ++i, bits >>= 4) key += kHex[bits & 15];
  return key;
}

Session& SessionStore::Open(const std::string& account, int64_t now_ms) {
  std::string id = NewKey();
  Session& session = live_[id];
  session.id = id;
  session.account = account;
  session.last_seen_ms = now_ms;
  return session;
}

SessionStore::Found SessionStore::Find(const std::string& id, int64_t now_ms) {
  if (expired_.count(id) != 0) return {State::kExpired, nullptr};
  auto it = live_.find(id);
  if (it == live_.end()) return {};
  if (now_ms - it->second.last_seen_ms > idle_ms_) {
    live_.erase(it);
    expired_.insert(id);
    return {State::kExpired, nullptr};
  }
  it->second.last_seen_ms = now_ms;
  return {State::kLive, &it->second};
}

void SessionStore::Close(const std::string& id) {
  live_.erase(id);
  expired_.erase(id);
}

void SessionStore::ExpireAll() {
  for (const auto& [id, session] : live_) expired_.insert(id);
  live_.clear();
}

void SessionStore::AgeQuotes() {
  for (auto& [id, session] : live_)
    for (Quote& quote : session.quotes) quote.made_ms = std::numeric_limits<int64_t>::min() / 2;
}

std::string SessionStore::IssueToken(const std::string& session_id, int64_t now_ms) {
  std::erase_if(tokens_, [now_ms](const auto& entry) { return now_ms - entry.second.issued_ms > kTokenLifetimeMs; });
  std::string token = NewKey();
  tokens_[token] = {session_id, now_ms};
  return token;
}

std::string SessionStore::RedeemToken(const std::string& token, int64_t now_ms) {
  auto it = tokens_.find(token);
  if (it == tokens_.end()) return {};
  const Token found = it->second;
  tokens_.erase(it);
  return now_ms - found.issued_ms <= kTokenLifetimeMs ? found.session : std::string();
}

}  // namespace vantrope::demo
