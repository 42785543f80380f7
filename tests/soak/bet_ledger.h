// The books of a simulated run: every bet the robot asked for, every
// contract the site sold, every result the robot told, held against each
// other. A break of the rules of unattended trading is written down as it
// happens.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "broker/contracts.h"
#include "log/history_file.h"

namespace vantrope::testing {

// What the robot asked the site for.
struct BetRequest {
  std::string valute, unit;
  uint16_t period = 0;
  int32_t stake = 0;
  bool up = true;
};

// The stakes a martingale chain owes: the initial one, raised after each
// loss until the chain's length, back to the initial after a win.
struct ChainRule {
  int32_t initial_stake = 0;
  int max_length = 0;
};

class BetLedger {
 public:
  // `contracts`: the site's contracts as they stand, settled ones too.
  BetLedger(const std::vector<demo::Contract>& contracts, std::optional<ChainRule> chain)
      : contracts_(contracts), chain_(chain) {}

  void OnRequest(const BetRequest& request);
  // A request ended without a purchase (refused, given up).
  void OnRequestEnded();
  void OnContract(const demo::Contract& contract);
  // A won or lost row with the money result the robot read, and the
  // history file as it stands after it.
  void OnResult(bool won, double result, const std::vector<THistoryRecord>& history);
  // A row saying that a bet's result is not known.
  void OnUnknown();
  // A new run of the robot begins its chains anew.
  void OnRunStarted();
  // The end: every contract settled at the site. The site's balance change
  // must be the results recorded plus those of the contracts told unknown.
  void Close(double balance_change);

  int Purchases() const { return purchases_; }
  int Won() const { return won_; }
  int Lost() const { return lost_; }
  int Unknown() const { return unknown_; }
  // A contract bought whose result the robot has not told yet.
  bool ContractOpen() const { return !unresolved_.empty(); }
  const demo::Contract* OldestOpenContract() const;
  const std::vector<std::string>& Breaks() const { return breaks_; }

 private:
  void Break(const std::string& what) { breaks_.push_back(what); }
  // The oldest contract without a told result, as the site has it now.
  const demo::Contract* Pop();
  static double Profit(const demo::Contract& contract);

  const std::vector<demo::Contract>& contracts_;
  std::optional<ChainRule> chain_;
  std::optional<int32_t> owed_stake_;
  int chain_losses_ = 0;

  std::optional<BetRequest> request_;
  bool request_bought_ = false;
  std::deque<int> unresolved_;  // contract ids, oldest first
  std::vector<int> unknown_ids_;
  double recorded_ = 0;
  int purchases_ = 0, won_ = 0, lost_ = 0, unknown_ = 0;
  std::vector<std::string> breaks_;
};

}  // namespace vantrope::testing
