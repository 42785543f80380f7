// What the bet ledger tells the main window, and the bet the last run left
// open, told at start-up.
#include "app/main_form.h"

namespace vantrope {

namespace {

enum Text : int {
  txUp = 151,
  txDown = 152,
  txBetOpenAtEnd = 206,
  txBetNotBoughtAtEnd = 207,
  txJournalUnreadable = 208,
  txLedgerFileFailed = 209,
};

}  // namespace

void TMainForm::LoadLedger() {
  if (!ledger.Load()) {
    AddStringToLog(ltError, Txt(txJournalUnreadable) + " " + ledger.UnreadJournalPath(), true);
    return;
  }
  const LedgerBet& bet = ledger.Bet();
  if (bet.state == TOpenBet::Bought) {
    // The row the result will close once the run after Start has read it.
    const LedgerRequest& r = bet.request;
    AddStringToLog(ltBetPending,
                   Txt(txBetOpenAtEnd) + " " + std::to_string(r.stake) + " " + bet.record.Currency + " " +
                       Txt(r.direction == drUp ? txUp : txDown) + ", " + r.valute + " " + std::to_string(r.period) +
                       r.period_unit,
                   false);
  } else if (bet.state == TOpenBet::Requested) {
    // A signal that old is no signal to buy on.
    AddStringToLog(ltInfo, Txt(txBetNotBoughtAtEnd), false);
    ledger.NotBought();
  }
}

void TMainForm::RecordAdded(const THistoryRecord& record) { results.RecordAdded(kHistoryFileName, record); }

void TMainForm::LedgerFileFailed(const std::string& text) {
  AddStringToLog(ltError, Txt(txLedgerFileFailed) + " " + text, true);
  ShowStatusMessage(Txt(txLedgerFileFailed) + " " + text);
}

void TMainForm::ResumeChain(const LedgerChain& chain, bool bet_open) { strategy_engine.ResumeChain(chain, bet_open); }

}  // namespace vantrope
