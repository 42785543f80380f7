// The demo broker's web site: every request in, its page or redirect out.
// It keeps its accounts, sessions and contracts in memory and takes its time
// from a clock, so the HTTP server and in-process tests run the same site.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "accounts.h"
#include "chance.h"
#include "contracts.h"
#include "http_types.h"
#include "sessions.h"
#include "site_clock.h"

namespace vantrope::demo {

struct SiteOptions {
  // "name:port" of each host name the site answers on. Its pages link to
  // the portfolio on the second one, when there is one; a session follows a
  // browser from one to the other.
  std::vector<std::string> hosts = {"127.0.0.1:8470", "localhost:8470"};
  // Contracts and price quotes run this many times faster than they say.
  int time_scale = 1;
  uint32_t seed = 1;
  // "W", "L" and "T" letters: the outcomes of the contracts in the order
  // they settle (a tie pays the price back). Empty: drawn from the seed.
  std::string script;
  // The price of every contract as a share of its payout, in percent
  // (1..99). 0: drawn from 70 to 85 percent.
  int price_share = 0;
  // A price request shows the form again without prices, as a site whose
  // prices never come.
  bool withhold_prices = false;
  // The trading page as a site built by scripts shows it (ModernTradePage).
  bool modern = false;
  int64_t session_idle_ms = 30 * 60 * 1000;
  std::vector<Account> accounts = DemoAccounts();
};

class BrokerSite {
 public:
  // Throws std::invalid_argument for a time scale below 1, a price share
  // outside 0..99 or a script with other letters than W, L and T.
  BrokerSite(SiteOptions options, SiteClock& clock);

  Response Handle(const Request& request);

  // For tests' checks: purchases asked for (every POST to the buy address),
  // and the accounts as they stand.
  int PurchasesAsked() const { return purchases_asked_; }
  const std::vector<Account>& Accounts() const { return options_.accounts; }
  // Every contract bought, in the order of purchase.
  const std::vector<Contract>& Contracts() const { return contracts_.All(); }

  // What a site may do to its users at any moment, for tests: end every
  // session, disable an account (or enable it again), take a deposit, let
  // the prices it quoted go stale, keep its prices back.
  void EndSessions() { sessions_.ExpireAll(); }
  void DisableAccount(const std::string& number, bool disabled = true);
  // Money paid into an account, as its owner tops it up.
  void Deposit(const std::string& number, Cents amount);
  void ChangePrices() { sessions_.AgeQuotes(); }
  void WithholdPrices(bool withhold) { options_.withhold_prices = withhold; }

 private:
  struct Call;

  Response Route(Call& call);
  Response WithSession(Call& call);
  Response SessionPage(Call& call, Session& session, Account& account);
  Response Login(Call& call);
  Response Logout(Call& call);
  Response CarrySession(Call& call);
  Response Trade(Call& call, Session& session);
  Response Buy(Call& call, Session& session, Account& account);
  Response Receipt(Call& call, const Account& account);
  Response Portfolio(Call& call, const Account& account);
  Response ErrorPage(Call& call);

  Account* FindAccount(const std::string& number);
  std::string OtherHost(const std::string& host) const;
  bool IsSiteHost(const std::string& host) const;
  int64_t Scaled(int64_t ms) const;

  SiteOptions options_;
  SiteClock& clock_;
  OutcomeSource outcomes_;
  PriceShares shares_;
  SessionStore sessions_;
  ContractBook contracts_;
  int purchases_asked_ = 0;
};

}  // namespace vantrope::demo
