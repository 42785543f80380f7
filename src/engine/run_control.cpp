#include "engine/run_control.h"

#include <cmath>

#include "engine/strategy_registry.h"
#include "event/event_changes.h"
#include "text/utf8.h"
#include "ui/money.h"

namespace vantrope {

namespace {

constexpr ui::Color kRobotNotReadyColor = 8421631;

// The language pack's texts of run control.
enum Text : int {
  txSiteStatusUnknown = 32,
  txYes = 105,
  txAttention = 111,
  txStrategyChosen = 117,
  txNoPassword = 123,
  txStarted = 124,
  txPauseAfterResult = 125,
  txPauseAfterWin = 126,
  txContinued = 127,
  txPauseCancelled = 128,
  txStopped = 129,
  txWorkingHoursBegin = 175,
  txWorkingHoursEnd = 176,
  txResumeChain = 177,
  txResumeQuestion = 178,
  txUnfinishedChain = 179,
  txPausedAfterResult = 181,
  txPressContinue = 182,
  txPausedAfterWin = 183,
  txPressContinueAfterWin = 184,
  txMinimumBalance = 185,
  txPauseOrStop = 187,
  txStoppedAtMinimum = 189,
  txNo = 259,
  txResultUnknown = 284,
  txUnfinishedJournalChain = 210,
  txChainLeft = 211,
  txResumeJournalChain = 212,
  txGoOn = 213,
  txDiscard = 214,
  txOtherStrategySelected = 215,
  txCancel = 216,
  txChainDiscarded = 217,
  txChainResumed = 218,
  txStoppedBeforePurchase = 219,
  txBetOfOtherAccount = 220,
};

}  // namespace

void RunControl::Run() {
  if (!page.SimulatorEnabled && Trim(account.tePassword.Text()).empty()) {
    host.MyShowMessage(texts.Text(txAttention), texts.Text(txNoPassword), DialogKind::Warning);
    return;
  }
  // A chain the last run left is taken up or discarded at the user's word;
  // with another strategy selected, the start waits for the user to agree.
  const std::optional<LedgerChain> chain = page.SimulatorEnabled ? std::nullopt : ledger.Chain();
  bool resume = false;
  if (chain) {
    if (chain->strategy == strategies.StrategyIndex())
      resume = AskResumeChain(*chain);
    else if (!AskDiscardChain(*chain))
      return;
  }
  ShowRunButtons(true);
  host.ShowStatusMessage(texts.Text(txStarted));

  robot.RobotPauseMode = pmNone;
  robot.BetOnStatus = bsOpenSite;
  robot.AwaitedTicket = 0;
  robot.WatchdogDue = false;
  robot.StallSince = 0;
  robot.ForeignContractReported = false;
  // A signal seen while the robot was stopped is not bought.
  DropSignal(EVENT);
  robot.ForeignLoginHost.clear();
  robot_controls.teSiteStatus.SetText(texts.Text(txSiteStatusUnknown));
  robot.Running = true;
  credentials = {.login = account.cbeLogin.Text(), .password = account.tePassword.Text()};
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &strategies.pnDown, &account.cbeLogin, &account.tePassword, &robot_controls.cbBetOnRobotWorkTime,
           &robot_controls.cbeBetOnWorkStart, &robot_controls.cbeBetOnWorkEnd})
    control->SetEnabled(false);
  account.ShowBalances({});

  robot.BetValute = Trim(EVENT.Valute).empty() ? std::string("frxEURUSD") : EVENT.Valute;
  robot.BetPeriodUnit = Trim(EVENT.PeriodUnit).empty() ? std::string("m") : EVENT.PeriodUnit;
  robot.BetPeriod = EVENT.Period == 0 ? 1 : EVENT.Period;
  if (const StrategyRow* row = StrategyOfPage(strategies.StrategyIndex())) {
    robot.BetStake = RoundHalfEvenTo<int32_t>(PageParams(*row, strategies).BetSize);
    // The threshold a strategy moves starts afresh with every run.
    if (row->written != nullptr) {
      (strategies.*row->written).SetValue(0);
      robot.BalancedTarget = 0;
    }
  }

  page.SiteDataUpdated = false;
  page.PageIndex = pgUnread;
  page.PageName.clear();
  page.CurrencyName.clear();
  robot.StartBalance = 0;
  robot.StartBalanceKnown = false;
  page.CurrentBalance = page.SimulatorEnabled ? 1000 : 0;
  if (page.SimulatorEnabled) {
    account.neStartBalanse.SetValue(1000);
    account.neCurrentBalanse.SetValue(1000);
  }

  robot_controls.shRobotReady.SetBrushColor(kRobotNotReadyColor);
  robot.RobotStatus = rsStarted;
  robot.RobotSubStatus = 0;
  robot.RobotPauseMode = pmNone;
  robot.BetCount = 0;
  robot.GameCount = 0;
  robot.ChainStake = 3;
  robot.ChainDirection = EVENT.Direction;

  selectors.cbeBetOnValutePairChange();
  robot.ChainValute = EVENT.Valute;
  robot.ChainPeriod = EVENT.Period;
  robot.ChainPeriodUnit = EVENT.PeriodUnit;
  robot.RobotBusy = false;

  TakeUpOpenBet();
  if (resume) {
    log.AddStringToLog(ltInfo, texts.Text(txChainResumed) + " " + ChainText(*chain), false);
    host.ResumeChain(*chain, ledger.Open() == TOpenBet::Bought);
    robot.RobotPauseType = 0;
  } else if (chain) {
    log.AddStringToLog(ltInfo, texts.Text(txChainDiscarded) + " " + ChainText(*chain), false);
    ledger.KeepChain(std::nullopt);
  } else {
    OfferSavedChain();
  }

  tmBetOnState.SetEnabled(false);
  tmBetOnState.SetEnabled(true);
  if (page.SimulatorEnabled) host.BetOnRobot();
  tmAutoApplySecurity.SetEnabled(true);
}

void RunControl::RequestPause(int tag) {
  switch (tag) {
    case RobotControls::kPauseAfterResultTag:
    case RobotControls::kPauseAfterWinTag: {
      const bool after_result = tag == RobotControls::kPauseAfterResultTag;
      robot.RobotPauseMode = after_result ? pmAfterResult : pmAfterWin;
      ShowPausedButtons();
      host.ShowStatusMessage(texts.Text(after_result ? txPauseAfterResult : txPauseAfterWin));
      (after_result ? robot_controls.btPause2 : robot_controls.btPause1).SetBlend(RobotControls::kBlendNormal);
      break;
    }
    case RobotControls::kContinueTag:
      if (robot.RobotPauseMode == pmPaused) {
        robot.RobotPauseMode = pmContinue;
        robot_controls.btRun.SetDown(true);
        host.ShowStatusMessage(texts.Text(txContinued));
      } else if (robot.RobotPauseMode == pmAfterResult || robot.RobotPauseMode == pmAfterWin) {
        robot.RobotPauseMode = pmNone;
        host.ShowStatusMessage(texts.Text(txPauseCancelled));
      } else {
        return;
      }
      robot_controls.btPause1.SetEnabled(true);
      robot_controls.btPause2.SetEnabled(true);
      robot_controls.btPause3.SetEnabled(false);
      robot_controls.btPause1.SetBlend(RobotControls::kBlendNormal);
      robot_controls.btPause2.SetBlend(RobotControls::kBlendNormal);
      break;
    default:
      return;
  }
  robot_controls.btPause3Fon.SetVisible(false);
}

void RunControl::Stop() {
  // A purchase whose result the run did not see is said to be unknown,
  // never recorded with a made-up one; a bet asked for and not bought
  // closes its row, or the next run would write into it.
  if (ledger.Open() == TOpenBet::Bought) {
    log.AddStringToLog(ltPendingClosed,
                       texts.Text(txResultUnknown) + " " + std::to_string(robot.BetStake) + " " + page.CurrencyName,
                       false);
    ledger.ResultUnknown();
  } else if (ledger.Open() == TOpenBet::Requested) {
    log.AddStringToLog(ltPendingClosed, texts.Text(txStoppedBeforePurchase), false);
    ledger.NotBought();
  }
  ledger.KeepChain(std::nullopt);
  // An answer of the page still awaited belongs to the run that ends.
  robot.AwaitedTicket = 0;
  robot.WatchdogDue = false;
  ShowRunButtons(false);
  host.ShowStatusMessage(texts.Text(txStopped));
  robot.RobotPauseMode = pmNone;
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{&account.cbeLogin, &account.tePassword, &robot_controls.cbBetOnRobotWorkTime,
                                           &robot_controls.cbeBetOnWorkStart, &robot_controls.cbeBetOnWorkEnd})
    control->SetEnabled(true);
  robot.RobotStatus = rsStopped;
  robot.BetOnStatus = bsIdle;
  tmBetWDT.SetEnabled(false);
  browser.Stop();
  browser_supervisor.NavigateUrl(site.LogOutUrl);
  page.SiteDataUpdated = false;
  page.PageIndex = pgUnread;
  robot.RobotPauseType = 0;
  tmBetOnState.SetEnabled(false);
  strategies.pnDown.SetEnabled(true);
  robot.Running = false;
  credentials.password.clear();
}

void RunControl::StrategyChanged() {
  const uint8_t previous = robot.LastStrategyIndex;
  robot.LastStrategyIndex = strategies.StrategyIndex();
  if (robot.LastStrategyIndex != previous)
    host.ShowStatusMessage(texts.Text(txStrategyChosen) +
                           Trim(strategies.pcStrategy.PageCaption(robot.LastStrategyIndex)) + "\".");
}

void RunControl::WorkingHoursStep() {
  robot.RobotBusy = true;
  // Working hours bind the waiting and choosing states and the martingale only.
  if (robot_controls.cbBetOnRobotWorkTime.Checked() && robot.RobotStatus < 5) {
    const double now = clock.Now();
    int hour = static_cast<int>(std::floor((now - std::floor(now)) * 24.0 + 1e-9)) % 24;
    const int start = robot_controls.cbeBetOnWorkStart.ItemIndex();
    int end = robot_controls.cbeBetOnWorkEnd.ItemIndex();
    if (end < start) {
      end += 24;
      if (hour < start) hour += 24;
    }
    const bool in_hours = start <= hour && hour < end;
    if (robot.RobotStatus == rsStarted && in_hours) {
      log.AddStringToLog(ltInfo, texts.Text(txWorkingHoursBegin), false);
      robot.RobotStatus = rsChoosingStrategy;
    } else if (robot.RobotStatus == rsStarted && ledger.Open() == TOpenBet::Bought) {
      // A purchase the last program left open is followed at once, whatever
      // the hours: its result drives the strategy, which would miss it
      // waiting. The robot pauses after it.
      robot.RobotStatus = rsChoosingStrategy;
      robot.RobotPauseMode = pmAfterResult;
    }
    // A Continue still to be applied (a chain taken up at Start) is not
    // replaced: the chain would lose its stake and counts. The pause is
    // asked again once the strategy has applied it.
    if (hour >= end && robot.RobotPauseMode != pmContinue) {
      log.AddStringToLog(ltInfo, texts.Text(txWorkingHoursEnd), false);
      robot.RobotPauseMode = pmAfterResult;
    }
  } else if (robot.RobotStatus == rsStarted) {
    robot.RobotStatus = rsChoosingStrategy;
  }
}

void RunControl::StrategySelection() {
  if (const StrategyRow* row = StrategyOfPage(strategies.StrategyIndex())) robot.RobotStatus = row->status;
}

// Asked at Start, never from inside a strategy step: the strategy starts
// with the answer once the working hours let it.
void RunControl::OfferSavedChain() {
  const int own_paused_chain = (strategies.StrategyIndex() + 1) * 100 + 2;
  if (robot.RobotPauseType > 100 && robot.RobotPauseType != own_paused_chain) robot.RobotPauseType = 0;
  if (robot.RobotPauseType % 100 != 0) {
    const bool resumable = robot.RobotPauseType == 202 || robot.RobotPauseType == 302 ||
                           (robot.RobotPauseType == 402 && robot.SavedGameCount != 0);
    if (resumable) {
      if (host.MyMessageDialog(texts.Text(txUnfinishedChain),
                               texts.Text(txResumeChain) + "\r" + texts.Text(txResumeQuestion),
                               {texts.Text(txYes), texts.Text(txNo)}, {DialogButton::Yes, DialogButton::No},
                               DialogKind::Confirmation) == ModalResult::Yes) {
        robot.ChainStake = robot.SavedStake;
        robot.BetCount = robot.SavedBetCount;
        robot.GameCount = robot.SavedGameCount;
        robot.RobotPauseMode = pmPaused;
        robot.RobotPauseType = 1;
        ShowPausedButtons();
      }
    } else if (robot.RobotPauseType != 402) {
      robot.RobotPauseType = 0;
    }
  }
}

std::string RunControl::ChainText(const LedgerChain& chain) const {
  return "«" + Trim(strategies.pcStrategy.PageCaption(chain.strategy)) + "» " + std::to_string(chain.stake) + " " +
         chain.valute + " " + std::to_string(chain.period) + chain.period_unit;
}

bool RunControl::AskResumeChain(const LedgerChain& chain) {
  return host.MyMessageDialog(texts.Text(txUnfinishedJournalChain),
                              texts.Text(txChainLeft) + " " + ChainText(chain) + "\r" + texts.Text(txResumeJournalChain),
                              {texts.Text(txGoOn), texts.Text(txDiscard)}, {DialogButton::Yes, DialogButton::No},
                              DialogKind::Confirmation) == ModalResult::Yes;
}

bool RunControl::AskDiscardChain(const LedgerChain& chain) {
  return host.MyMessageDialog(texts.Text(txUnfinishedJournalChain),
                              texts.Text(txChainLeft) + " " + ChainText(chain) + "\r" +
                                  texts.Text(txOtherStrategySelected),
                              {texts.Text(txDiscard), texts.Text(txCancel)}, {DialogButton::Yes, DialogButton::No},
                              DialogKind::Confirmation) == ModalResult::Yes;
}

// On the account it was bought on, as if the program had never stopped; a
// start on another account cannot see it.
void RunControl::TakeUpOpenBet() {
  if (ledger.Open() != TOpenBet::Bought) return;
  const LedgerBet& bet = ledger.Bet();
  if (bet.record.Account != Utf8Left(account.cbeLogin.Text(), 16)) {
    log.AddStringToLog(ltPendingClosed, texts.Text(txBetOfOtherAccount) + " " + bet.record.Account, false);
    ledger.ResultUnknown();
    return;
  }
  robot.BetValute = bet.request.valute;
  robot.BetPeriodUnit = bet.request.period_unit;
  robot.BetPeriod = bet.request.period;
  robot.BetStake = bet.request.stake;
  robot.BetDirection = bet.request.direction;
  robot.ChainDirection = bet.request.direction;
  robot.BalanceAtBet = bet.record.BalanceAtBet;
  ReportSite(EVENT, ssBetMade);
}

bool RunControl::LimitCheck(uint16_t chain_counter) {
  int verdict = 0;
  if (robot.RobotPauseMode == pmAfterResult)
    verdict = 1;
  else if (robot.RobotPauseMode == pmAfterWin && chain_counter == 0)
    verdict = 2;
  // A balance of 0 is one the account page showed, or none read yet.
  const bool balance_known = page.CurrentBalance != 0 || robot.StartBalanceKnown;
  const double minimum = RoundHalfEven(robot_controls.neMinBalans.Value());
  if (balance_known && !StakeFitsAboveMinimum(page.CurrentBalance, robot.ChainStake, minimum))
    verdict = 3;
  if (verdict == 0 || robot.RobotPauseMode == pmPaused) return false;

  robot.RobotPauseType = 0;
  std::string text;
  if (verdict == 1) {
    text = texts.Text(txPausedAfterResult) + "\r" + texts.Text(txPressContinue);
    robot.RobotPauseType = 2;
  } else if (verdict == 2) {
    text = texts.Text(txPausedAfterWin) + "\r" + texts.Text(txPressContinueAfterWin);
  } else {
    text = texts.Text(txMinimumBalance);
  }
  log.AddStringToDebugLog(texts.Text(txPauseOrStop));
  robot.SavedStake = robot.ChainStake;
  robot.SavedBetCount = robot.BetCount;
  robot.SavedGameCount = robot.GameCount;
  const StrategyRow* row = StrategyOfPage(strategies.StrategyIndex());
  const StrategyRow::Notice notice = row == nullptr ? StrategyRow::Notice{txPauseOrStop, DialogKind::Information}
                                                    : row->limit_notice;
  // Shown without waiting: the check runs inside a strategy step.
  host.MyShowNotice(texts.Text(notice.title), text, notice.kind);

  if (verdict == 3) {
    log.AddStringToLog(ltInfo, texts.Text(txStoppedAtMinimum), true);
    if (row != nullptr) robot.SavedStake = RoundHalfEvenTo<int32_t>(PageParams(*row, strategies).BetSize);
    robot.SavedBetCount = 0;
    // A chain strategy's next start begins a new game.
    if (row == nullptr || row->follow) robot.SavedGameCount = 0;
    robot.RobotPauseMode = pmNone;
    Stop();
  } else {
    ShowPausedButtons();
    robot.RobotPauseMode = pmPaused;
  }
  return true;
}

// The run buttons of a running or a stopped robot with no pause requested.
void RunControl::ShowRunButtons(bool running) {
  robot_controls.btRun.SetEnabled(!running);
  robot_controls.btPause1.SetEnabled(running);
  robot_controls.btPause2.SetEnabled(running);
  robot_controls.btPause3.SetEnabled(false);
  robot_controls.btStop.SetEnabled(running);
  robot_controls.btPause1.SetBlend(RobotControls::kBlendNormal);
  robot_controls.btPause2.SetBlend(RobotControls::kBlendNormal);
  robot_controls.btPause3Fon.SetVisible(false);
}

// While a pause is requested or set, only its cancel-or-continue button works.
void RunControl::ShowPausedButtons() {
  robot_controls.btPause1.SetEnabled(false);
  robot_controls.btPause2.SetEnabled(false);
  robot_controls.btPause3.SetEnabled(true);
}

}  // namespace vantrope
