// Bought contracts: open until their expiry, then settled as won, lost or tied.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "accounts.h"
#include "chance.h"
#include "money.h"

namespace vantrope::demo {

struct Contract {
  int id = 0;
  std::string account;
  std::string market;
  std::string instrument;
  bool rise = true;
  Cents price = 0;
  Cents payout = 0;
  int duration = 0;
  std::string unit;
  int64_t start_ms = 0;
  int64_t expiry_ms = 0;
  bool settled = false;
  bool won = false;
  bool tie = false;  // the price is paid back
};

class ContractBook {
 public:
  // Numbers the contract and keeps it open; the price is already paid.
  const Contract& Open(Contract contract);
  // Settles every open contract whose expiry has come, the earliest expiry
  // first: a win pays the payout into its account, a tie the price. An account with a limit
  // of settled contracts is disabled when it reaches it.
  void SettleDue(int64_t now_ms, OutcomeSource& outcomes, std::vector<Account>& accounts);

  std::vector<Contract> OpenOf(const std::string& account) const;
  // The latest `most` settled contracts of the account, the latest first.
  std::vector<Contract> SettledOf(const std::string& account, size_t most) const;
  const Contract* Find(int id) const;
  const std::vector<Contract>& All() const { return contracts_; }

 private:
  std::vector<Contract> contracts_;
  int next_id_ = 1001;
};

}  // namespace vantrope::demo
