#include "soak/bet_ledger.h"

#include <cmath>

#include "engine/extended_math.h"

namespace vantrope::testing {

namespace {

constexpr double kCent = 0.005;
constexpr int64_t kMaxStake = 100000;

std::string Money(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

}  // namespace

double BetLedger::Profit(const demo::Contract& contract) {
  if (contract.tie) return 0;
  return static_cast<double>(contract.won ? contract.payout - contract.price : -contract.price) / 100;
}

void BetLedger::OnRunStarted() {
  request_.reset();
  if (!chain_) return;
  owed_stake_ = chain_->initial_stake;
  chain_losses_ = 0;
}

void BetLedger::OnRequest(const BetRequest& request) {
  if (!unresolved_.empty()) Break("a bet was asked for while the result of the one before was not known");
  request_ = request;
  request_bought_ = false;
}

void BetLedger::OnRequestEnded() { request_.reset(); }

void BetLedger::OnContract(const demo::Contract& contract) {
  ++purchases_;
  const std::string which = "purchase of contract " + std::to_string(contract.id);
  if (!request_) {
    Break(which + " that the robot did not ask for");
  } else if (request_bought_) {
    Break(which + ": a second purchase for one request");
  } else {
    const BetRequest& r = *request_;
    if (contract.rise != r.up || contract.instrument != r.valute || contract.duration != r.period ||
        contract.unit != r.unit || contract.payout != static_cast<int64_t>(r.stake) * 100)
      Break(which + " (" + contract.instrument + " " + std::to_string(contract.duration) + contract.unit + " " +
            (contract.rise ? "up " : "down ") + Money(static_cast<double>(contract.payout) / 100) +
            ") is not the request (" + r.valute + " " + std::to_string(r.period) + r.unit + " " +
            (r.up ? "up " : "down ") + std::to_string(r.stake) + ")");
    if (owed_stake_ && contract.payout != static_cast<int64_t>(*owed_stake_) * 100)
      Break(which + ": the chain owes the stake " + std::to_string(*owed_stake_) + ", bought " +
            Money(static_cast<double>(contract.payout) / 100));
  }
  if (!unresolved_.empty()) Break(which + " while another contract's result was not told");
  request_bought_ = true;
  unresolved_.push_back(contract.id);
}

const demo::Contract* BetLedger::OldestOpenContract() const {
  if (unresolved_.empty()) return nullptr;
  for (const demo::Contract& contract : contracts_)
    if (contract.id == unresolved_.front()) return &contract;
  return nullptr;
}

const demo::Contract* BetLedger::Pop() {
  const demo::Contract* contract = OldestOpenContract();
  if (!unresolved_.empty()) unresolved_.pop_front();
  return contract;
}

void BetLedger::OnResult(bool won, double result, const std::vector<THistoryRecord>& history) {
  (won ? won_ : lost_) += 1;
  request_.reset();
  const demo::Contract* contract = Pop();
  if (contract == nullptr) return Break(std::string(won ? "a won" : "a lost") + " row without a purchase");
  const std::string which = "contract " + std::to_string(contract->id);
  const double profit = Profit(*contract);
  if (!contract->settled) {
    Break(which + ": a result told before the contract settled");
  } else if (won != (profit > 0) || std::fabs(result - profit) > kCent) {
    Break(which + ": told " + (won ? "won " : "lost ") + Money(result) + ", its real result is " + Money(profit));
  }
  recorded_ += result;
  if (history.size() != static_cast<size_t>(won_ + lost_)) {
    Break(which + ": " + std::to_string(history.size()) + " history records for " + std::to_string(won_ + lost_) +
          " results");
  } else {
    const THistoryRecord& record = history.back();
    if (record.Result != (won ? 1 : 2) || std::fabs(record.BalanceAtResult - record.BalanceAtBet - result) > kCent ||
        static_cast<int64_t>(record.Stake) * 100 != contract->payout || record.Pair != contract->instrument ||
        record.Direction != (contract->rise ? 1 : 2))
      Break(which + ": its history record is not the bet's");
  }
  if (!owed_stake_) return;
  const int32_t stake = static_cast<int32_t>(contract->payout / 100);
  if (won || ++chain_losses_ >= chain_->max_length || BetOnGetBetCost(stake) > kMaxStake) {
    owed_stake_ = chain_->initial_stake;
    chain_losses_ = 0;
  } else {
    owed_stake_ = static_cast<int32_t>(BetOnGetBetCost(stake));
  }
}

void BetLedger::OnUnknown() {
  ++unknown_;
  request_.reset();
  // A press whose answer never came may have bought nothing: unknown is
  // the truth then too.
  if (const demo::Contract* contract = Pop()) unknown_ids_.push_back(contract->id);
}

void BetLedger::Close(double balance_change) {
  if (!unresolved_.empty())
    Break(std::to_string(unresolved_.size()) + " contracts bought without a result or a row saying it is unknown");
  double unknown = 0;
  for (int id : unknown_ids_)
    for (const demo::Contract& contract : contracts_)
      if (contract.id == id) {
        if (!contract.settled) Break("contract " + std::to_string(id) + " is not settled at the end");
        unknown += Profit(contract);
      }
  if (std::fabs(balance_change - recorded_ - unknown) > kCent * (1 + purchases_))
    Break("the site's balance changed by " + Money(balance_change) + ", the results recorded are " +
          Money(recorded_) + " and those told unknown " + Money(unknown));
}

}  // namespace vantrope::testing
