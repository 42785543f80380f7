// The main window: every control model and every piece of the robot's state.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/platform.h"
#include "debug/debug_form.h"
#include "engine/account_panel.h"
#include "engine/robot_controls.h"
#include "engine/robot_state.h"
#include "engine/strategy_pages.h"
#include "event/robot_event.h"
#include "log/event_log.h"
#include "log/robot_log.h"
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

class TMainForm : public RobotLog, private PageEncoder::Host, private TerminalSeeker::Events {
 public:
  static constexpr int kLogoCount = 6;

  explicit TMainForm(Platform& platform);
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;
  ~TMainForm();

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
  ModalResult MyShowMessage(const std::string& title, const std::string& message, DialogKind kind);
  ModalResult MyMessageDialog(const std::string& title, const std::string& message,
                              const std::vector<std::string>& captions, const std::vector<DialogButton>& buttons,
                              DialogKind kind);
  void ShowStatusMessage(const std::string& text);

  // One line of the event log: its mark, colour, repeat guard, the pending
  // bet row, the history record of a result and the sound.
  void AddStringToLog(uint8_t type, const std::string& text, bool sound) override;
  void AddStringToDebugLog(const std::string& text) override;
  // Appends the finished bet to the history file (1 won, 2 lost).
  void AddHistoryRecord(uint8_t result);
  // The log grid's pop-up menu is about to open.
  void ppmLogPopup();
  void miSaveLogAsTextClick();
  void btMuteClick();

  // Main window behaviour.
  void pnExpandClick();
  void FormResize();
  void tmFormAnimateTimer();
  void tmVisualFxTimer();
  void tmClearRamTimer();
  void miSelectLogoPicClick(int tag);
  void imLogoDblClick();
  // Working-set size in bytes, 0 when unknown.
  uint64_t GegMemSize();

  // Browser supervision.
  void NavigateUrl(const std::string& url) { browser_supervisor.NavigateUrl(url); }
  void WebBrowser1BeforeNavigate2(const std::string& url);
  void WebBrowser1DocumentComplete();
  void WebBrowser1ProgressChange();
  void tmParserDelayTimer();
  void tmWebWDTTimer();
  void tmWebWDT2Timer();
  void tmAutoApplySecurityTimer();
  void teWebAddrButtonClick();
  void HtmlParser() { page_encoder.HtmlParser(); }

  // Run control.
  void btRunClick();
  // One handler for the pause buttons, by the sender's tag.
  void btPause1Click(const ui::Button& sender);
  // The pause action of a tag: 2 after the result, 3 after a win, 4 cancel or continue.
  void RequestPause(int tag);
  void btStopClick();
  void RobotModeChange();
  void WorkingHoursStep();
  void StrategySelection();
  // Pauses or stops the robot at a limit; true when it did.
  bool LimitCheck(double factor, uint16_t chain_counter);

  // The bet cycle and the strategy engine.
  void tmBetOnStateTimer();
  void tmBetWDTTimer();
  void BetOnRobot();
  void BetOnBetModeSet() { selectors.BetOnBetModeSet(); }
  // Hands the filled bet request to the bet cycle at once.
  void RequestBet();

  // Page recognition.
  void BetOnWebEncoder() { page_encoder.BetOnWebEncoder(); }
  // Switches a Russian-language address of the site to English.
  void LangCheck();
  int32_t SearchControl(uint16_t control) { return page_encoder.SearchControl(control); }
  // The bet cycle's fault: an error line, the browser and the cycle stopped.
  void BetOnStateFault(const std::string& name, const std::string& text, int flag) override;

  // Pair and period selectors.
  void BetOnSetValutePair(const std::string& code) { selectors.BetOnSetValutePair(code); }
  void cbeBetOnValutePairChange() { selectors.cbeBetOnValutePairChange(); }
  void cbeBetOnBetTimeCostChange() { selectors.cbeBetOnBetTimeCostChange(); }
  void neBetOnBetPeriodExit() { selectors.neBetOnBetPeriodExit(); }

  // Page actions.
  uint16_t WebSetValue(uint16_t index, const std::string& text) { return page_actions.WebSetValue(index, text); }
  bool WebExecute(uint16_t index) { return page_actions.WebExecute(index); }
  int32_t GetBrokerPercent(uint32_t stake, uint16_t slot) { return page_actions.GetBrokerPercent(stake, slot); }

  // The advance threshold button.
  void btGreedClick();

  // Terminal signals.
  void tmSeekerTimer();
  void cbAlpariSeekClick();

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

  // The debug window, hidden until asked for.
  TfmDebug fmDebug{platform.clock, platform.shell};

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

  // --- window state ---
  static constexpr uint64_t kMemoryTrimThreshold = 180'000'000;
  uint8_t ExpandState = 0;
  int32_t MainPanelWidth = 0;
  int32_t ExpandPanelWidth = 0;
  int8_t FrameAllowance = 0;
  uint8_t KeepAwakeCounter = 0;
  // The WAVE images by log line type; null where the program has none.
  std::array<const std::vector<uint8_t>*, ltLost + 1> Sounds{};

  // --- the robot's state, by subsystem ---
  TEvent EVENT;
  RobotState robot;
  SitePage page;
  SiteSettings site;
  TerminalState terminal;

  // --- the subsystems working on them ---
  PairPeriodSelectors selectors{fmDebug.site_control, EVENT};
  BrowserSupervisor browser_supervisor{page,  browser_panel, platform.browser, platform.shell, platform.windows,
                                       *this, LangPack,      tmParserDelay,    tmWebWDT,       tmWebWDT2};
  PageEncoder page_encoder{page,     site,         fmDebug.parser, platform.browser, *this,
                           LangPack, DebugEnabled, tmWebWDT,       tmWebWDT2,        *this};
  PageActions page_actions{page, platform.browser, browser_supervisor};
  TerminalSeeker terminal_seeker{terminal,         EVENT,          chart,          fmDebug.terminal,
                                 platform.windows, platform.shell, platform.clock, *this,
                                 LangPack,         tmSeeker,       *this};

  // Program entry: the main window's start-up, then the hidden debug window.
  void CreateWindows();

  // The active strategy page.
  uint8_t StrategyIndex() const { return strategies.StrategyIndex(); }

 private:
  void ChartChanged() override;
  void BuildControls();
  void ApplyLangPack();
  void SetUpWindowWidth();
  void ShowSiteDisplays() override;
  void LoadSounds();
  void LoadArrowTemplates();
  void OpenDebugLog();
  void CloseDebugLog();
  void SetWindowWidthForPanel(int panel_width);
  int BrowserPanelShownWidth() const;
  void tmStatusWiewerTimer();
  // Writes the settings file; the error text when it cannot be written.
  std::optional<std::string> WriteSettingsFile();
};

}  // namespace vantrope
