#include "contracts.h"

#include <algorithm>

namespace vantrope::demo {

const Contract& ContractBook::Open(Contract contract) {
  contract.id = next_id_++;
  contracts_.push_back(std::move(contract));
  return contracts_.back();
}

void ContractBook::SettleDue(int64_t now_ms, OutcomeSource& outcomes, std::vector<Account>& accounts) {
  std::vector<Contract*> due;
  for (Contract& contract : contracts_)
    if (!contract.settled && contract.expiry_ms <= now_ms) due.push_back(&contract);
  std::sort(due.begin(), due.end(), [](const Contract* a, const Contract* b) {
    return a->expiry_ms != b->expiry_ms ? a->expiry_ms < b->expiry_ms : a->id < b->id;
  });
  for (Contract* contract : due) {
    contract->settled = true;
    const Outcome outcome = outcomes.Next();
    contract->won = outcome == Outcome::kWon;
    contract->tie = outcome == Outcome::kTie;
    for (Account& account : accounts) {
      if (account.number != contract->account) continue;
      if (contract->won) account.balance += contract->payout;
      if (contract->tie) account.balance += contract->price;
      ++account.settled_contracts;
      if (account.disable_after_contracts > 0 && account.settled_contracts >= account.disable_after_contracts)
        account.disabled = true;
    }
  }
}

std::vector<Contract> ContractBook::OpenOf(const std::string& account) const {
  std::vector<Contract> open;
  for (const Contract& contract : contracts_)
    if (!contract.settled && contract.account == account) open.push_back(contract);
  return open;
}

std::vector<Contract> ContractBook::SettledOf(const std::string& account, size_t most) const {
  std::vector<Contract> settled;
  for (const Contract& contract : contracts_)
    if (contract.settled && contract.account == account) settled.push_back(contract);
  std::sort(settled.begin(), settled.end(), [](const Contract& a, const Contract& b) {
    return a.expiry_ms != b.expiry_ms ? a.expiry_ms > b.expiry_ms : a.id > b.id;
  });
  if (settled.size() > most) settled.resize(most);
  return settled;
}

const Contract* ContractBook::Find(int id) const {
  for (const Contract& contract : contracts_)
    if (contract.id == id) return &contract;
  return nullptr;
}

}  // namespace vantrope::demo
