// The bet cycle: walks the broker's site from login to a bet's result, one
// step per tick of the bet-state timer, and reports the site state to the
// strategies in the event record.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "desktop/clock.h"
#include "engine/account_panel.h"
#include "engine/bet_ledger.h"
#include "engine/robot_state.h"
#include "engine/run_control.h"
#include "engine/run_credentials.h"
#include "event/robot_event.h"
#include "log/robot_log.h"
#include "settings/lang_pack.h"
#include "site/browser_supervision.h"
#include "site/page_actions.h"
#include "site/page_encoder.h"
#include "site/site_page.h"
#include "site/site_settings.h"
#include "site/web_browser.h"
#include "ui/timer.h"

namespace vantrope {

struct BetCycle {
  // What the bet cycle asks of the program around it.
  class Host {
   public:
    // One strategy step.
    virtual void BetOnRobot() = 0;
    virtual void ShowStatusMessage(const std::string& text) = 0;
    // The account's currency, shown after every money editor.
    virtual void ShowCurrencyName(const std::string& currency) = 0;
    // The run's balances, read afresh at the login.
    virtual void ShowBalances(const RunBalances& balances) = 0;
    // The running strategy and its parameters, as a purchase's history
    // record keeps them.
    virtual void RecordStrategy(THistoryRecord& record) = 0;

   protected:
    ~Host() = default;
  };

  // One tick of tmBetOnState.
  void Tick();
  // The bet watchdog gave up on a bet.
  void WatchdogFired();
  // Hands the filled bet request to the cycle at once.
  void RequestBet();
  // The chart's pair or timeframe changed: a ready form is filled again.
  void ChartChanged();
  // A new indicator signal: a ready form takes it at once.
  void SignalArrived();
  // The browser finished loading a page: the prices a bet waits for are
  // looked at at once.
  void PageLoaded();
  // The cycle's fault: an error line, the browser and the cycle stopped. The
  // flag is part of the callers' contract and has no effect.
  void BetOnStateFault(const std::string& name, const std::string& text, int flag);
  // Switches a Russian-language address of the site to English.
  void LangCheck();
  // The history record of the purchase about to be made, from the running
  // chain and the strategy's parameters; its result is not known yet.
  THistoryRecord PurchaseRecord() const;
  // The address of the step's own page; none while the robot is stopped.
  std::optional<std::string> StepAddress() const;
  // The signal of a bet not made is forgotten, by a program started after a
  // kill too: an arrow of its direction raises a signal again.
  void ForgetSignal();

  RobotState& robot;
  TEvent& EVENT;
  SitePage& page;
  const SiteSettings& site;
  const RunCredentials& credentials;
  BetLedger& ledger;
  BrowserSupervisor& browser_supervisor;
  PageEncoder& page_encoder;
  PageActions& page_actions;
  RunControl& run_control;
  WebBrowser& browser;
  Clock& clock;
  RobotLog& log;
  const TLangPack& texts;
  ui::Timer& tmBetOnState;
  ui::Timer& tmBetWDT;
  Host& host;

  // How a step ends its tick: done (the strategy step follows), with
  // nothing changed (no strategy step), or with a question out to the page,
  // whose answer ends the tick.
  enum class Outcome { Done, Unchanged, Asked };
  using Reaction = Outcome (BetCycle::*)();

  // Where a move sends the browser.
  enum class Address : uint8_t { None, Main, Trading, Portfolio };
  // A step's plain answer to a page: the next step, the address to open and
  // the interval to the next tick (0: the step's pace). The page opened is
  // waited for unless `keep_page`.
  struct Move {
    TBetStep next;
    Address open = Address::None;
    int interval = 0;
    bool keep_page = false;
  };
  // Pages by number, as a set.
  struct PageSet {
    uint32_t bits = 0;
    constexpr PageSet(std::initializer_list<TPage> pages) {
      for (TPage page : pages) bits |= 1u << page;
    }
    constexpr PageSet operator|(PageSet other) const { return PageSet(bits | other.bits); }
    // Every page, those without a number among them.
    static constexpr PageSet All() { return PageSet(~0u); }
    constexpr bool Has(TPage page) const { return page < 32 ? (bits >> page & 1u) != 0 : bits == ~0u; }

   private:
    constexpr explicit PageSet(uint32_t set) : bits(set) {}
  };
  // What a step does on the pages of a set: a move, or a reaction of its own.
  struct PageRow {
    PageSet pages;
    std::optional<Move> move;
    Reaction react = nullptr;
  };
  // How a step looks at the page: not at all; the page as last recognised;
  // a page recognised since the step asked for a fresh one; a page parsed
  // afresh in this very tick.
  enum class Look : uint8_t { None, Shown, Updated, Fresh };
  // What a step does first, whatever the page.
  enum Entry : uint8_t {
    kReportNotReady = 1,   // no bet may be asked for while the site is got ready
    kWatchdogOff = 2,      // the bet is past its request, or not yet asked for
    kWatchdogOn = 4,       // the bet asked for is given up if it is not bought in time
    kWithdrawOffForm = 8,  // off the trading form, the site is no longer ready for a bet
  };
  struct StepRow {
    TBetStep step;
    Look look;
    uint8_t entry;
    int pace;  // the interval to the next tick unless the step sets another
    std::vector<PageRow> pages;
  };
  // A purchase is followed on the portfolio, where its result shows.
  static const Move kFollowBet;
  // The steps: the whole graph of the cycle. Pages a row does not name get
  // the reactions every step shares.
  static const std::vector<StepRow>& Table();

 private:
  enum class Verdict { None, Refused, PriceUnreadable, SignalTooOld, BoughtUp, BoughtDown };
  // The form controls of a fill: each with its write in the batch, or missing.
  struct FormFill {
    static constexpr int kMissing = -2;
    struct Control {
      Slot slot;
      int write;
    };
    std::vector<Control> controls;
    bool AnyMissing() const;
    // The slot of the last control that failed, if any.
    std::optional<Slot> FailedSlot(const PageActionReport& report) const;
    bool Failed(Slot slot, const PageActionReport& report) const;
  };

  // --- the tick and the table (bet_cycle.cpp) ---
  void TickOnPage();
  Outcome RunStep(TPage shown);
  Outcome RunRow(const StepRow& row, TPage shown);
  Outcome React(const StepRow& row, TPage shown);
  Outcome SharedReaction(TPage shown);
  Outcome Go(const Move& move);
  const std::string& AddressOf(Address address) const;
  void FinishTick(Outcome outcome);

  // --- asking the page (bet_cycle_asking.cpp) ---
  // Starts waiting for the page under a new ticket; the check given back
  // tells, when the answer comes, whether it may move the cycle.
  std::function<bool()> BeginAwait();
  Outcome AskParse(std::function<void()> then);
  Outcome AskActions(PageActionBatch batch, std::function<Outcome(const PageActionReport&)> then);
  // Tells once in the event log of a wait that goes on past the watchdog's
  // time.
  void WatchForStall();
  // The next tick now, for a reaction that should not wait for the cycle's
  // pace.
  void Wake();
  void Navigate(const std::string& url, int interval, bool fresh_page);
  void SetInterval(int interval);
  void EnableTimerIfRunning();

  // --- login and the account (bet_cycle_login.cpp) ---
  Outcome LangCheckUnlessLoggedIn();
  Outcome LogIn();
  Outcome LoginAnswered(std::array<int, 2> writes, int press, uint16_t press_control, const PageActionReport& report);
  Outcome LoginPageElsewhere(const std::string& host);
  Outcome LoginFailed();
  Outcome CheckAccount();
  Outcome ReadBalanceUnlessForeignContract();
  Outcome ReadBalance();
  void ReadStartBalance();
  void ReportInaccessible(uint16_t control);

  // --- the trading form and the buy (bet_cycle_form.cpp) ---
  Outcome ChooseForexMarket();
  Outcome MarketChosen(int press, const PageActionReport& report);
  Outcome ReloadForm();
  Outcome FillReadyForm();
  Outcome ReadyFormFilled(const FormFill& fill, const PageActionReport& report);
  Outcome FillBetForm();
  Outcome BetFormFilled(const FormFill& fill, int press, std::array<uint16_t, 20> controls,
                        const PageActionReport& report);
  Outcome PricesRequested();
  Outcome AskPricesAgain();
  Outcome PricesAskedAgain(int press, const PageActionReport& report);
  Outcome CheckPricesAndBuy();
  Outcome BuyPressed(bool up, int32_t percent, int press, const PageActionReport& report);
  Outcome BuyVerdict(Verdict verdict, int32_t percent);
  FormFill FillForm(PageActionBatch& batch, bool for_bet) const;
  bool OnForexMarket() const;
  // The form of another market, which offers no forex pair, is left for the
  // market choice; true when it was.
  bool LeaveOtherMarket(const FormFill& fill, const PageActionReport& report);
  // A trading page without the form's controls is left for the market
  // choice; true when it was.
  bool LeaveFormlessTradingPage();
  // Both price blocks are shown.
  bool PricesShown() const;

  // --- following the bet (bet_cycle_follow.cpp) ---
  Outcome ParseAgain();
  Outcome PurchaseConfirmed();
  Outcome PurchaseRefusedOrLost();
  Outcome SeenOnPortfolio();
  Outcome BetOpen();
  Outcome ResultOrNoBet();
  Outcome LookAgainAtOpenBet();
  Outcome GoIdle();
  void ReadResult();
  // The bet asked for and not bought is given up.
  void GiveUpBet();

  // --- shared by the steps ---
  Outcome SessionEnded();
  void ReportNotReady();
  void WithdrawReady();
  void DropSignal(const std::string& text);
  void FaultAndStop(const std::string& text);
  bool SlotExists(Slot slot) const;
  size_t FieldOf(Slot slot) const;
  int AddPress(PageActionBatch& batch, Slot slot, bool only_after_success = false) const;
  std::string SlotValue(Slot slot) const;
  std::string StepFaultName() const;
};

}  // namespace vantrope
