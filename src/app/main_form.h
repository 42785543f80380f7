// The main window: it owns the robot's state, one record per subsystem, the
// controls of its panels and its timers, and the subsystems that work on
// them. Its handlers are the program's events; each hands its work to a
// subsystem.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/platform.h"
#include "debug/debug_form.h"
#include "debug/debug_simulators.h"
#include "debug/simulated_site.h"
#include "engine/account_panel.h"
#include "engine/bet_ledger.h"
#include "engine/bet_cycle.h"
#include "engine/robot_controls.h"
#include "engine/robot_state.h"
#include "engine/run_control.h"
#include "engine/strategy_engine.h"
#include "engine/strategy_pages.h"
#include "event/robot_event.h"
#include "lab/lab_window.h"
#include "log/event_log.h"
#include "log/robot_log.h"
#include "results/results_window.h"
#include "settings/lang_pack.h"
#include "site/browser_panel.h"
#include "site/browser_supervision.h"
#include "site/page_actions.h"
#include "site/page_encoder.h"
#include "site/pair_period_selectors.h"
#include "site/site_page.h"
#include "site/site_settings.h"
#include "terminal/terminal_seeker.h"
#include "terminal/terminal_state.h"
#include "ui/controls.h"
#include "ui/timer.h"

namespace vantrope {

class TMainForm : public RobotLog,
                  private BrowserSupervisor::Host,
                  private PageEncoder::Host,
                  private TerminalSeeker::Events,
                  private RunControl::Host,
                  private BetCycle::Host,
                  private BetRunner,
                  private BetLedger::Host,
                  private DebugSimulators::Host {
 public:
  static constexpr int kLogoCount = 6;

  explicit TMainForm(Platform& platform);
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;
  ~TMainForm();

  // Program entry: the main window's start-up, then the hidden debug window.
  void CreateWindows();
  // Start-up: brings every component into its starting state. Runs once.
  void FormCreate();
  // The user closes the window; false keeps it open.
  bool FormClose();
  // Closing asked for from outside (a termination signal): the same shutdown,
  // without the question, since nobody is there to answer it.
  void CloseFromOutside();

  // A text of the language pack, empty when missing.
  const std::string& Txt(int number) const { return LangPack.Text(number); }
  // Message boxes of the program, centred on the main window.
  ModalResult MyShowMessage(const std::string& title, const std::string& message, DialogKind kind) override;
  ModalResult MyMessageDialog(const std::string& title, const std::string& message,
                              const std::vector<std::string>& captions, const std::vector<DialogButton>& buttons,
                              DialogKind kind) override;
  void MyShowNotice(const std::string& title, const std::string& message, DialogKind kind) override;
  void ShowStatusMessage(const std::string& text) override;
  // One line of the event log with its debug copy and its sound.
  void AddStringToLog(uint8_t type, const std::string& text, bool sound) override;
  void AddStringToDebugLog(const std::string& text) override;
  // One strategy step.
  void BetOnRobot() override { strategy_engine.BetOnRobot(); }
  // The active strategy page.
  uint8_t StrategyIndex() const { return strategies.StrategyIndex(); }
  // Working-set size in bytes, 0 when unknown.
  uint64_t GegMemSize();

  // --- the program's events ---
  // The main window and its event log.
  void FormResize();
  void pnExpandClick();
  void tmFormAnimateTimer();
  void tmVisualFxTimer();
  void tmClearRamTimer();
  void miSelectLogoPicClick(int tag);
  void imLogoDblClick();
  void ppmLogPopup();
  void miSaveLogAsTextClick();
  void miHistoryClick();
  void miLabClick();
  void btMuteClick();
  // The browser.
  void WebBrowser1BeforeNavigate2(const std::string& url);
  void WebBrowser1DocumentComplete();
  void WebBrowser1ProgressChange();
  void WebBrowser1PageDialog(PageDialog dialog, const std::string& text);
  void WebBrowser1PageProcessGone();
  void WebBrowser1DocumentChanged();
  void tmParserDelayTimer();
  void tmWebWDTTimer();
  void tmWebWDT2Timer();
  void tmAutoApplySecurityTimer();
  void teWebAddrButtonClick();
  // The robot.
  void btRunClick();
  // One handler for the pause buttons, by the sender's tag.
  void btPause1Click(const ui::Button& sender);
  void btStopClick();
  void RobotModeChange();
  void btGreedClick();
  void tmBetOnStateTimer();
  void tmBetWDTTimer();
  // The terminal.
  void tmSeekerTimer();
  void cbAlpariSeekClick();
  // The debug window's pair and period selectors.
  void cbeBetOnValutePairChange();
  void cbeBetOnBetTimeCostChange();
  void neBetOnBetPeriodExit();

  Platform& platform;

  // --- window ---
  ui::Window Form;
  ui::Panel pnMain, pnExpand, pnWeb;
  ui::StatusBar StatusBar1;
  BrowserPanel browser_panel;
  // --- account panel ---
  AccountPanel account;
  ui::CheckBox cbAlpariSeek;
  // --- logo and event log ---
  ui::Image imLogo;
  std::array<ui::MenuItem, kLogoCount> miSelectLogoPic;
  ui::Label gbLog;
  EventLog event_log{platform.clock};
  // --- robot controls ---
  RobotControls robot_controls;
  ui::Label lbValutePair, lbTimeFrame;
  ChartDisplay chart;
  ui::Shape shWebBrowserBusy, shHtmlParser, shWaitIndicator;
  ui::Button btMute;
  // --- strategy pages ---
  StrategyPages strategies;

  // --- timers ---
  ui::Timer tmStatusWiewer;
  ui::Timer tmVisualFx;
  ui::Timer tmFormAnimate;
  ui::Timer tmClearRam;
  ui::Timer tmBetOnState;
  ui::Timer tmBetWDT;
  ui::Timer tmParserDelay;
  ui::Timer tmWebWDT;
  ui::Timer tmWebWDT2;
  ui::Timer tmAutoApplySecurity;
  ui::Timer tmSeeker;
  ui::Timer tmRobotDebug;  // the debug window's robot timer

  // The debug window, hidden until asked for.
  TfmDebug fmDebug{platform.clock};
  // The bets of the history file, with their figures; opened from the log's menu.
  ResultsWindow results;
  // The strategies of the pages tried on many bets; opened from the log's menu.
  LabWindow lab;

  // The program's own file, as it was started.
  std::string ProgramPath = "vantrope";

  // --- settings kept in fields ---
  TLangPack LangPack;
  bool DebugEnabled = true;
  int32_t BrowserPanelWidth = 600;
  bool Mute = false;
  uint8_t LogoIndex = 0;
  WindowBounds DebugWindowBounds;      // read from the settings for the debug window
  int32_t LoginIndexFromSettings = 0;  // applied once the account box is filled
  // The settings file was there at start-up but could not be read: the
  // program runs on defaults and leaves the file as it is.
  bool SettingsFileUnreadable = false;

  // --- window state ---
  static constexpr uint64_t kMemoryTrimThreshold = 180'000'000;
  uint8_t ExpandState = 0;
  int32_t MainPanelWidth = 0;
  int32_t ExpandPanelWidth = 0;
  int8_t FrameAllowance = 0;
  uint8_t KeepAwakeCounter = 0;
  // The WAVE images by log line type; null where the program has none.
  std::array<const std::vector<uint8_t>*, ltLost + 1> Sounds{};

  // --- the robot's state, one record per subsystem ---
  TEvent EVENT;
  RobotState robot;
  SitePage page;
  SiteSettings site;
  TerminalState terminal;
  // The open bet and the running chain, kept on disk, and the history file.
  BetLedger ledger{*this};
  RunCredentials credentials;

  // --- the subsystems working on them ---
  PairPeriodSelectors selectors{.site_control = fmDebug.site_control, .EVENT = EVENT};
  BrowserSupervisor browser_supervisor{.page = page,
                                       .browser_panel = browser_panel,
                                       .browser = platform.browser,
                                       .shell = platform.shell,
                                       .windows = platform.windows,
                                       .log = *this,
                                       .texts = LangPack,
                                       .tmParserDelay = tmParserDelay,
                                       .tmWebWDT = tmWebWDT,
                                       .tmWebWDT2 = tmWebWDT2,
                                       .host = *this};
  PageEncoder page_encoder{.page = page,
                           .site = site,
                           .parser_view = fmDebug.parser,
                           .browser = platform.browser,
                           .log = *this,
                           .texts = LangPack,
                           .DebugEnabled = DebugEnabled,
                           .tmWebWDT = tmWebWDT,
                           .tmWebWDT2 = tmWebWDT2,
                           .host = *this};
  PageActions page_actions{.page = page, .browser = platform.browser, .browser_supervisor = browser_supervisor};
  TerminalSeeker terminal_seeker{.terminal = terminal,
                                 .EVENT = EVENT,
                                 .chart = chart,
                                 .debug_view = fmDebug.terminal,
                                 .windows = platform.windows,
                                 .shell = platform.shell,
                                 .clock = platform.clock,
                                 .log = *this,
                                 .texts = LangPack,
                                 .tmSeeker = tmSeeker,
                                 .events = *this};
  RunControl run_control{.robot = robot,
                         .EVENT = EVENT,
                         .page = page,
                         .site = site,
                         .strategies = strategies,
                         .robot_controls = robot_controls,
                         .account = account,
                         .credentials = credentials,
                         .ledger = ledger,
                         .selectors = selectors,
                         .browser_supervisor = browser_supervisor,
                         .browser = platform.browser,
                         .clock = platform.clock,
                         .log = *this,
                         .texts = LangPack,
                         .tmBetOnState = tmBetOnState,
                         .tmBetWDT = tmBetWDT,
                         .tmAutoApplySecurity = tmAutoApplySecurity,
                         .host = *this};
  BetCycle bet_cycle{.robot = robot,
                     .EVENT = EVENT,
                     .page = page,
                     .site = site,
                     .credentials = credentials,
                     .ledger = ledger,
                     .browser_supervisor = browser_supervisor,
                     .page_encoder = page_encoder,
                     .page_actions = page_actions,
                     .run_control = run_control,
                     .browser = platform.browser,
                     .clock = platform.clock,
                     .log = *this,
                     .texts = LangPack,
                     .tmBetOnState = tmBetOnState,
                     .tmBetWDT = tmBetWDT,
                     .host = *this};
  StrategyEngine strategy_engine{StrategyEngineParts{.robot = robot,
                                 .EVENT = EVENT,
                                 .page = page,
                                 .strategies = strategies,
                                 .robot_controls = robot_controls,
                                 .account = account,
                                 .selectors = selectors,
                                 .run_control = run_control,
                                 .bet_cycle = bet_cycle,
                                 .bets = *this,
                                 .ledger = ledger,
                                 .clock = platform.clock,
                                 .log = *this,
                                 .texts = LangPack}};
  SimulatedSite simulated_site{
      .robot = robot, .log = *this, .texts = LangPack, .tmBetOnState = tmBetOnState};
  DebugSimulators debug_simulators{.debug = fmDebug,
                                   .robot = robot,
                                   .EVENT = EVENT,
                                   .page = page,
                                   .account = account,
                                   .page_actions = page_actions,
                                   .page_encoder = page_encoder,
                                   .bets = *this,
                                   .clipboard = platform.clipboard,
                                   .clock = platform.clock,
                                   .log = *this,
                                   .texts = LangPack,
                                   .tmRobotDebug = tmRobotDebug,
                                   .host = *this};

 private:
  // What the subsystems ask of the main window.
  std::optional<std::string> StepAddress() override { return bet_cycle.StepAddress(); }
  // The bets go to the simulated site while the debug window's simulator is on.
  void RequestBet() override;
  void SignalArrived() override;
  void BetOnStateFault(const std::string& name, const std::string& text, int flag) override;
  void ShowSiteDisplays() override;
  void ShowCurrencyName(const std::string& currency) override;
  void ShowBalances(const RunBalances& balances) override;
  void RecordStrategy(THistoryRecord& record) override;
  void ChartChanged() override;
  void SignalRaised() override;
  void ResumeChain(const LedgerChain& chain, bool bet_open) override;
  void RecordAdded(const THistoryRecord& record) override;
  void LedgerFileFailed(const std::string& text) override;
  // The bet the last run left open, told in the event log at start-up.
  void LoadLedger();

  void BuildControls();
  void BindDebugWindow();
  void ApplyLangPack();
  void SetUpWindowWidth();
  void SetWidthLimits();
  void FormFrameChange();
  void LoadSounds();
  void LoadArrowTemplates();
  void OpenDebugLog();
  void CloseDebugLog();
  void SetWindowWidthForPanel(int panel_width);
  int BrowserPanelShownWidth() const;
  void tmStatusWiewerTimer();
  // Told in the event log and on the status line: it may come inside a step.
  void DebugLogFileFault(const std::string& error);
  struct SettingsFault {
    std::string text;
    bool retry_may_help;  // false: closing again would be refused the same way
  };
  // Writes the settings file; what to tell the user when it is not written.
  std::optional<SettingsFault> WriteSettingsFile();
};

}  // namespace vantrope
