// The main window: every control model and every piece of the robot's state.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "app/platform.h"
#include "ui/timer.h"
#include "debug/debug_form.h"
#include "settings/lang_pack.h"
#include "site/cat_field.h"
#include "site/control_slot.h"
#include "site/html_text_parser.h"
#include "terminal/arrow_scanner.h"

namespace vantrope {

// Types of the event log's lines.
enum TLogType : uint8_t {
  ltPlain = 0,
  ltInfo = 1,
  ltUp = 2,
  ltDown = 3,
  ltError = 4,
  ltWin = 5,
  ltLost = 6,
  ltNotice = 7,
  ltBetPending = 8,
  ltPendingClosed = 9,
};

// The robot's event record.
struct TEvent {
  bool NewSignal = false;
  uint8_t Direction = 0;  // 0 none, 1 up, 2 down
  bool ValuteChanged = false;
  std::string Valute;  // broker instrument code, such as "frxEURUSD"
  bool PeriodChanged = false;
  uint16_t Period = 1;
  std::string PeriodUnit = "m";  // "s", "m", "h" or "d"
  double Result = 0;
  uint8_t BetStatus = 0;
};

class TMainForm {
 public:
  static constexpr int kStrategyCount = 7;
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
  void AddStringToLog(uint8_t type, const std::string& text, bool sound);
  void AddStringToDebugLog(const std::string& text) { fmDebug.AddStringToDebugLog(text); }
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
  void IERegister(const std::string& program_path);
  // The one navigation routine: waits for a busy browser to stop first.
  void NavigateUrl(const std::string& url);
  void WebBrowser1BeforeNavigate2(const std::string& url);
  void WebBrowser1DocumentComplete();
  void WebBrowser1ProgressChange();
  void tmParserDelayTimer();
  void tmWebWDTTimer();
  void tmWebWDT2Timer();
  void tmAutoApplySecurityTimer();
  void teWebAddrButtonClick();
  // Parses the current document into WebFields.
  void HtmlParser();

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
  void BetOnBetModeSet();
  // Hands the filled bet request to the bet cycle at once.
  void RequestBet();

  // Page recognition.
  // Builds the template tables from the lines of the settings file.
  void LoadPageTemplates();
  void BetOnWebEncoder();
  // Switches a Russian-language address of the site to English.
  void LangCheck();
  // Searches the page for the template of a page control: its index or -1.
  int32_t SearchControl(uint16_t control);
  // The bet cycle's fault: an error line, the browser and the cycle stopped.
  void BetOnStateFault(const std::string& name, const std::string& text, int flag);

  // Pair and period selectors.
  // Selects the pair box item of a broker instrument code.
  void BetOnSetValutePair(const std::string& code);
  void cbeBetOnValutePairChange();
  void cbeBetOnBetTimeCostChange();
  void neBetOnBetPeriodExit();

  // Page actions on the records of WebFields.
  // Types the text into every element of the document that the record stands
  // for; the number of elements that took it.
  uint16_t WebSetValue(uint16_t index, const std::string& text);
  // Clicks the first element a form record stands for, or follows a link.
  bool WebExecute(uint16_t index);
  // The price shown in the control slot as a whole percentage of the stake.
  int32_t GetBrokerPercent(uint32_t stake, uint16_t slot);

  // The needed deposit of martingale pages 1..4, from their stake and chain length.
  void BetOnNeedDepositCalc1();
  void BetOnNeedDepositCalc2();
  void BetOnNeedDepositCalc3();
  void BetOnNeedDepositCalc4();
  // The advance threshold: 100 %, 60 %, 75 %, and round again.
  void btGreedClick();
  void ShowCurrentGreed();

  // Terminal signals.
  void tmSeekerTimer();
  void cbAlpariSeekClick();
  // The window's caption; empty for no window.
  std::string GetCaption(WindowHandle window);
  // The broker code of the caption's pair; takes over the chart's timeframe.
  std::string GetValuteFromWindowCaption(const std::string& caption);
  // Searches the captured strip for both arrows and raises their signals.
  void SearchImage();
  TArrowMatch FindObject(uint8_t width, uint8_t height) const { return ArrowSearch.FindObject(width, height); }

  // The simple strategy's "go on until the first loss": the bet count only
  // matters while it is off.
  void cbBot0ReBetClick();

  Platform& platform;

  // --- window ---
  ui::Window Form;
  ui::Panel pnMain, pnExpand, pnWeb, pnDown;
  ui::StatusBar StatusBar1;
  ui::TextEdit teWebAddr;
  ui::Control pbWEB;  // the thin progress bar shown while a page loads

  // --- account panel ---
  ui::Label lbLogin, lbPassword, lbStartBalanse, lbCurrentBalanse, lbWinBalanse;
  ui::ComboBox cbeLogin;
  ui::TextEdit tePassword;
  ui::NumberEdit neStartBalanse, neCurrentBalanse, neWinBalanse;
  ui::CheckBox cbAlpariSeek;

  // --- logo and event log ---
  ui::Image imLogo;
  std::array<ui::MenuItem, kLogoCount> miSelectLogoPic;
  ui::Label gbLog;
  ui::Grid gwLog{4};
  ui::MenuItem miSaveLogAsText;
  ui::SaveDialog SaveDialog1;

  // --- robot controls ---
  ui::Button btGreed;
  ui::Shape shGreed;
  ui::CheckBox cbBetOnRobotWorkTime;
  ui::Label lbWorkFrom, lbWorkTo;
  ui::ComboBox cbeBetOnWorkStart, cbeBetOnWorkEnd;
  ui::Label lbMinBalans;
  ui::NumberEdit neMinBalans;
  ui::TextEdit teSiteStatus;
  ui::Label lbValutePair, lbTimeFrame;
  ui::ComboBox cbeBetOnValutePair_;
  ui::TextEdit teBetOnBetPeriod_;
  ui::ComboBox cbeBetOnBetTimeCost_;
  ui::Shape shRobotReady, shWebBrowserBusy, shHtmlParser, shWaitIndicator;
  ui::Button btRun, btPause1, btPause2, btPause3, btPause3Fon, btStop, btMute;

  // --- strategy pages ---
  ui::PageControl pcStrategy{kStrategyCount};
  // page 0: simple bet
  ui::Label lbBot0BetSize, lbBot0BetCount;
  ui::NumberEdit neBot0BetSize;
  ui::CheckBox cbBot0ReBet;
  ui::SpinEdit speBot0BetCount;
  // page 1: martingale
  ui::Label lbBot1MinDeposit, lbBot1ChainCount, lbBot1BetCount, lbBot1BetSize;
  ui::NumberEdit neBot1MinDeposit, neBot1BetSize;
  ui::SpinEdit speBot1ChainCount, speBot1BetCount;
  // page 2: cautious martingale
  ui::Label lbBot2MinDeposit, lbBot2BetCount, lbBot2ChainCount, lbBot2BetSize;
  ui::NumberEdit neBot2MinDeposit, neBot2BetSize;
  ui::SpinEdit speBot2BetCount, speBot2ChainCount;
  // page 3: adaptive martingale
  ui::Label lbBot3MinDeposit, lbBot3ChainCount, lbBot3BetSize;
  ui::NumberEdit neBot3MinDeposit, neBot3BetSize;
  ui::SpinEdit speBot3ChainCount;
  // page 4: Monte-Carlo
  ui::Label lbBot4MinDeposit, lbBot4ChainCount, lbBot4BetCount, lbBot4BetSize;
  ui::NumberEdit neBot4MinDeposit, neBot4BetSize;
  ui::SpinEdit speBot4ChainCount, speBot4BetCount;
  // page 5: balanced
  ui::Label lbBot5BetSize, lbBot5BetCount, lbBot5WinLimit, lbBot5Porog, lbBot5LoseLimit;
  ui::NumberEdit neBot5BetSize, neBot5WinLimit, neBot5Porog, neBot5LoseLimit;
  ui::SpinEdit speBot5BetCount;
  ui::CheckBox cbBot5ChangeDirection;

  // Hidden arrow templates; their size comes from the settings.
  ui::Image imUp, imDown;

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
  TfmDebug fmDebug{*this};

  // The program's own file, as it was started.
  std::string ProgramPath = "vantrope";

  // --- settings kept in fields ---
  TLangPack LangPack;
  bool DebugEnabled = true;
  int32_t BrowserPanelWidth = 600;
  bool Mute = false;
  uint8_t LogoIndex = 0;
  bool TerminalControl = false;  // follows cbAlpariSeek
  bool AlpariHardUpdate = false;
  std::string TerminalPageName;  // window class of the trading terminal
  WindowBounds DebugWindowBounds;      // read from the settings for the debug window
  int32_t LoginIndexFromSettings = 0;  // applied once the account box is filled
  uint8_t GreedPorog = 0;
  bool LoadPictures = true;
  std::string MainUrl, ReturnUrl, LogOutUrl, PortFolioUrl;
  uint16_t RobotPauseType = 100;
  int32_t SavedStake = 3;
  uint16_t SavedBetCount = 0;
  uint16_t SavedGameCount = 0;
  std::vector<std::string> PageFieldTemplates;
  std::vector<std::string> PageControlTemplates;
  std::vector<std::string> PageNames;

  // --- window state ---
  static constexpr int kBlendNormal = 0;
  static constexpr int kBlendFaded = 60;
  static constexpr uint64_t kMemoryTrimThreshold = 180'000'000;
  uint8_t ExpandState = 0;
  int32_t MainPanelWidth = 0;
  int32_t ExpandPanelWidth = 0;
  int8_t FrameAllowance = 0;
  uint8_t KeepAwakeCounter = 0;
  std::string LastLogText;
  uint8_t LogRepeatGuard = 0;
  // The WAVE images by log line type; null where the program has none.
  std::array<const std::vector<uint8_t>*, ltLost + 1> Sounds{};

  // --- the parsed page ---
  std::vector<TCatField> WebFields;
  TableCounters WebTableCounters;
  std::array<TControlSlot, 20> ControlSlots;
  std::vector<TCatField> PageFields;
  std::vector<TCatField> PageControls;
  std::string PageName;
  bool EncoderBusy = false;
  uint8_t EncoderSkips = 0;
  bool RecognitionLog = false;
  bool SimulatorEnabled = false;
  double BetPrice = 0;

  // --- the terminal ---
  struct TTerminalRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
  };
  struct TTerminalPeriod {
    uint16_t period = 0;
    std::string unit = " ";
  };
  static constexpr uint16_t SnapshotStripWidth = 128;
  WindowHandle TerminalHandle = 0;
  TTerminalRect TerminalRect;
  std::string TerminalValute;
  uint8_t SnapshotState = 0;  // 0 none, 1 captured, 2 searched
  double SnapshotTime = 0;
  Bitmap Snapshot;
  TTerminalPeriod LastTerminalPeriod;
  // The arrow templates' stored pictures, shown through imUp and imDown.
  Bitmap imUpPicture, imDownPicture;
  ArrowScanner ArrowSearch;
  TArrowMatch ArrowUpMatch, ArrowDownMatch;

  // --- robot state ---
  TEvent EVENT;
  bool RobotBusy = false;
  double BalancedTarget = 0;
  bool SiteDataUpdated = false;
  std::string CurrencyName;
  double StartBalance = 0;
  double CurrentBalance = 0;
  double BalanceAtBet = 0;
  double BalanceAtResult = 0;
  double BetPlacedTime = 0;
  uint8_t PageIndex = 0;
  bool PageParsedBlink = false;
  std::string BetPeriodUnit;
  int32_t ChainStake = 0;
  uint8_t ChainDirection = 0;
  std::string ChainValute;
  uint16_t ChainPeriod = 0;
  int32_t BetStake = 3;
  uint8_t BetDirection = 0;
  uint16_t BetOnStatus = 65535;
  uint16_t RobotStatus = 0;
  uint8_t RobotSubStatus = 0;
  uint8_t RobotPauseMode = 0;
  uint8_t LastStrategyIndex = 0;
  uint16_t BetCount = 0;
  uint16_t GameCount = 0;
  std::string ChainPeriodUnit;
  std::string BetValute;
  uint16_t BetPeriod = 0;
  uint8_t BetPricePercent = 0;
  double ResultWaitCounter = 0;

  // Program entry: the main window's start-up, then the hidden debug window.
  void CreateWindows();

  // The active strategy page.
  uint8_t StrategyIndex() const { return static_cast<uint8_t>(pcStrategy.ActivePageIndex()); }

 private:
  void BuildControls();
  void ApplyLangPack();
  void SetUpWindowWidth();
  bool CanActOn(uint16_t index) const;
  ui::NumberEdit* InitialStakeEditor();
  const std::string& PageNameOf(size_t page) const;
  void RecognitionProtocol(const std::string& line);
  bool PagePasses(uint8_t page);
  uint8_t RecognisePage();
  void ResolveSlot(size_t slot, uint16_t control);
  void RequireSlot(uint8_t page, size_t slot, const std::string& missing_text);
  void ResolvePageSlots(uint8_t page);
  void ReadAccountValues(uint8_t page);
  void WriteRecognitionResult();
  void ShowSiteDisplays();
  void LoadSounds();
  void LoadArrowTemplates();
  void ShowNoTerminal();
  void ShowTerminalPeriod();
  void MarkArrowOnTerminal();
  TArrowMatch SearchArrow(const Bitmap& picture, const ui::Image& image, ui::Color color, int component_shift);
  void ShowArrowLabel(ui::Label& label, const TArrowMatch& match);
  void OpenDebugLog();
  void CloseDebugLog();
  void SetWindowWidthForPanel(int panel_width);
  int BrowserPanelShownWidth() const;
  void tmStatusWiewerTimer();
  // Writes the settings file; the error text when it cannot be written.
  std::optional<std::string> WriteSettingsFile();
};

}  // namespace vantrope
