#include "app/main_form.h"

#include <iostream>
#include <limits>

#include "app/account_list.h"
#include "app/pixmap_reader.h"
#include "app/resources.h"
#include "app/settings_store.h"
#include "engine/advance_threshold.h"
#include "engine/strategy_registry.h"
#include "event/event_changes.h"
#include "event/pair_table.h"
#include "settings/durable_file.h"
#include "settings/ini_file.h"
#include "site/default_addresses.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr const char* kVersionText = "ver: 1.62";
constexpr int kStatusMessageMs = 8000;

// Initial widths of the panels that the window-width set-up measures.
constexpr int kMainPanelWidth = 372;
constexpr int kExpandPanelWidth = 14;
constexpr int kMinWindowHeight = 512;

// The language pack's texts of start-up and shutdown; the captions of the
// controls are numbered in ApplyLangPack.
enum Text : int {
  txTitle = 0,
  txYes = 105,
  txRobotReady = 108,
  txRobotRunning = 109,
  txCancelClosing = 110,
  txAttention = 111,
  txNo = 259,
  txDebugLogStart = 271,
  txDebugLogEnd = 272,
  txSettingsFileUnreadable = 290,
};

std::vector<std::string> HourItems() {
  std::vector<std::string> items;
  for (int hour = 0; hour < 24; ++hour) items.push_back((hour < 10 ? "0" : "") + std::to_string(hour) + ":00");
  return items;
}

void SetUpMoneyEditor(ui::NumberEdit& editor, double min, double max, int decimals) {
  editor.SetLimits(min, max);
  editor.SetDecimals(decimals);
}

// Strategy money editors take one decimal; stakes and limits are rounded to
// whole units where they are used.
void SetUpStrategyField(const StrategyField& field, StrategyPages& pages) {
  using K = StrategyField::Kind;
  const auto money = [&]() -> ui::NumberEdit& {
    return pages.*std::get<ui::NumberEdit StrategyPages::*>(field.control);
  };
  switch (field.kind) {
    case K::kCheck: return;
    case K::kCount:
      (pages.*std::get<ui::SpinEdit StrategyPages::*>(field.control)).SetLimits(1, field.max_count);
      return;
    case K::kStake:
    case K::kLimit: SetUpMoneyEditor(money(), FieldLimits(field)->low, FieldLimits(field)->high, 1); return;
    // The threshold is the balance less the loss limit, rounded: it may be
    // any whole number a balance gives, not only what the user's editors allow.
    case K::kThreshold: SetUpMoneyEditor(money(), 0, std::numeric_limits<int32_t>::max(), 1); break;
    case K::kDeposit: SetUpMoneyEditor(money(), 0, 0, 0); break;
  }
  money().SetReadOnly(true);
}

}  // namespace

TMainForm::TMainForm(Platform& p)
    : platform(p),
      tmStatusWiewer(p.timers, "tmStatusWiewer", kStatusMessageMs, [this] { tmStatusWiewerTimer(); }),
      tmVisualFx(p.timers, "tmVisualFx", 500, [this] { tmVisualFxTimer(); }),
      tmFormAnimate(p.timers, "tmFormAnimate", 25, [this] { tmFormAnimateTimer(); }),
      tmClearRam(p.timers, "tmClearRam", 1'800'000, [this] { tmClearRamTimer(); }),
      // The bet cycle's tick; 500 ms until the first tick of a run.
      tmBetOnState(p.timers, "tmBetOnState", 500, [this] { tmBetOnStateTimer(); }),
      tmBetWDT(p.timers, "tmBetWDT", 300'000, [this] { tmBetWDTTimer(); }),
      tmParserDelay(p.timers, "tmParserDelay", 5000, [this] { tmParserDelayTimer(); }),
      tmWebWDT(p.timers, "tmWebWDT", 180'000, [this] { tmWebWDTTimer(); }),
      tmWebWDT2(p.timers, "tmWebWDT2", 100'000, [this] { tmWebWDT2Timer(); }),
      tmAutoApplySecurity(p.timers, "tmAutoApplySecurity", 2500, [this] { tmAutoApplySecurityTimer(); }),
      tmSeeker(p.timers, "tmSeeker", 1000, [this] { tmSeekerTimer(); }),
      tmRobotDebug(p.timers, "tmRobotDebug", 500, [this] { debug_simulators.tmRobotDebugTimer(); }) {
  BuildControls();
  BindDebugWindow();
  strategies.cbBot0ReBet.onClick = [this] { strategies.cbBot0ReBetClick(); };
  Form.onResize = [this] { FormResize(); };
  Form.onFrameChange = [this] { FormFrameChange(); };
  pnExpand.onClick = [this] { pnExpandClick(); };
  imLogo.onDblClick = [this] { imLogoDblClick(); };
  for (ui::MenuItem& item : miSelectLogoPic) item.onClick = [this, &item] { miSelectLogoPicClick(item.Tag()); };
  event_log.miSaveLogAsText.onClick = [this] { miSaveLogAsTextClick(); };
  event_log.miHistory.onClick = [this] { miHistoryClick(); };
  event_log.miLab.onClick = [this] { miLabClick(); };
  event_log.miLab.SetCaption(kLabTitle);
  event_log.gwLog.onPopup = [this] { ppmLogPopup(); };
  btMute.onClick = [this] { btMuteClick(); };
  browser_panel.teWebAddr.onButtonClick = [this] { teWebAddrButtonClick(); };
  robot_controls.btRun.onClick = [this] { btRunClick(); };
  robot_controls.btStop.onClick = [this] { btStopClick(); };
  for (ui::Button* pause :
       {&robot_controls.btPause1, &robot_controls.btPause2, &robot_controls.btPause3, &robot_controls.btPause3Fon})
    pause->onClick = [this, pause] { btPause1Click(*pause); };
  strategies.pcStrategy.onChange = [this] { RobotModeChange(); };
  robot_controls.btGreed.onClick = [this] { btGreedClick(); };
  cbAlpariSeek.onClick = [this] { cbAlpariSeekClick(); };
  // The stake editors on leaving and on change, the chain lengths on change.
  for (const StrategyRow& row : StrategyRows()) {
    if (!row.deposit) continue;
    const auto show = [this, &row] { ShowNeededDeposit(row, strategies); };
    (strategies.*row.deposit->stake).onChange = (strategies.*row.deposit->stake).onExit = show;
    (strategies.*row.deposit->length).onChange = show;
  }
  browser_panel.teWebAddr.onDblClick = [this] { page_encoder.HtmlParser(); };
  fmDebug.site_control.cbeBetOnValutePair.onChange = [this] { cbeBetOnValutePairChange(); };
  fmDebug.site_control.cbeBetOnBetTimeCost.onChange = [this] { cbeBetOnBetTimeCostChange(); };
  fmDebug.site_control.neBetOnBetPeriod.onExit = [this] { neBetOnBetPeriodExit(); };
  platform.browser.onBeforeNavigate = [this](const std::string& url) { WebBrowser1BeforeNavigate2(url); };
  platform.browser.onDocumentComplete = [this] { WebBrowser1DocumentComplete(); };
  platform.browser.onProgressChange = [this] { WebBrowser1ProgressChange(); };
  platform.browser.onPageDialog = [this](PageDialog dialog, const std::string& text) {
    WebBrowser1PageDialog(dialog, text);
  };
  platform.browser.onPageProcessGone = [this] { WebBrowser1PageProcessGone(); };
  platform.browser.onDocumentChanged = [this] { WebBrowser1DocumentChanged(); };
}

TMainForm::~TMainForm() {
  platform.browser.onBeforeNavigate = nullptr;
  platform.browser.onDocumentComplete = nullptr;
  platform.browser.onProgressChange = nullptr;
  platform.browser.onPageDialog = nullptr;
  platform.browser.onPageProcessGone = nullptr;
  platform.browser.onDocumentChanged = nullptr;
}

// The design-time state of the controls: what the window shows before the
// settings and the language pack are applied.
void TMainForm::BuildControls() {
  // Shown at the end of the start-up.
  Form.SetVisible(false);
  Form.SetMinSize(0, kMinWindowHeight);
  pnMain.SetWidth(kMainPanelWidth);
  pnExpand.SetWidth(kExpandPanelWidth);
  pnExpand.SetCaption("4");
  browser_panel.pbWEB.SetVisible(false);

  account.tePassword.SetPassword(true);
  for (ui::NumberEdit* balance : {&account.neStartBalanse, &account.neCurrentBalanse, &account.neWinBalanse}) {
    SetUpMoneyEditor(*balance, 0, 0, 2);
    balance->SetReadOnly(true);
  }
  account.neWinBalanse.SetFontColor(ui::Rgb(0xC0, 0xC0, 0xC0));

  for (int i = 0; i < kLogoCount; ++i) miSelectLogoPic[i].SetTag(i);
  imLogo.SetSize(106, 105);

  robot_controls.btGreed.SetCaption("100%");
  robot_controls.cbeBetOnWorkStart.SetItems(HourItems());
  robot_controls.cbeBetOnWorkEnd.SetItems(HourItems());
  SetUpMoneyEditor(robot_controls.neMinBalans, 0, 1e9, 2);
  robot_controls.teSiteStatus.SetReadOnly(true);

  chart.cbeBetOnValutePair_.SetItems(PairItems());
  chart.cbeBetOnValutePair_.SetItemIndex(0);
  chart.teBetOnBetPeriod_.SetText("30");
  chart.cbeBetOnBetTimeCost_.SetItems({"секунд", "минут", "часов"});
  chart.cbeBetOnBetTimeCost_.SetItemIndex(1);
  // The program sets these three from the signal; the user cannot type in them.
  chart.cbeBetOnValutePair_.SetEnabled(false);
  chart.teBetOnBetPeriod_.SetEnabled(false);
  chart.cbeBetOnBetTimeCost_.SetEnabled(false);

  robot_controls.btRun.SetTag(RobotControls::kRunTag);
  robot_controls.btPause1.SetTag(RobotControls::kPauseAfterResultTag);
  robot_controls.btPause2.SetTag(RobotControls::kPauseAfterWinTag);
  robot_controls.btPause3.SetTag(RobotControls::kContinueTag);
  robot_controls.btPause3Fon.SetTag(RobotControls::kContinueTag);
  robot_controls.btStop.SetTag(RobotControls::kStopTag);
  // At rest only Start can be pressed.
  robot_controls.btPause1.SetEnabled(false);
  robot_controls.btPause2.SetEnabled(false);
  robot_controls.btPause3.SetEnabled(false);
  robot_controls.btStop.SetEnabled(false);
  robot_controls.btPause3Fon.SetVisible(false);

  for (const StrategyRow& row : StrategyRows())
    for (const StrategyField& field : row.fields) SetUpStrategyField(field, strategies);

  terminal.imUp.SetVisible(false);
  terminal.imDown.SetVisible(false);
}

// The texts of the language pack on the window's captions, hints and menus.
void TMainForm::ApplyLangPack() {
  Form.SetCaption(std::string());  // set with the version at the end of start-up
  account.lbLogin.SetCaption(Txt(1));
  account.lbPassword.SetCaption(Txt(2));
  account.lbStartBalanse.SetCaption(Txt(3));
  account.lbCurrentBalanse.SetCaption(Txt(4));
  account.lbWinBalanse.SetCaption(Txt(5));
  account.cbeLogin.SetHint(Txt(6));
  account.tePassword.SetHint(Txt(7));
  account.neStartBalanse.SetHint(Txt(8));
  account.neCurrentBalanse.SetHint(Txt(9));
  account.neWinBalanse.SetHint(Txt(10));
  cbAlpariSeek.SetCaption(Txt(11));
  cbAlpariSeek.SetHint(Txt(12));
  miSelectLogoPic[0].SetCaption(Txt(13));
  miSelectLogoPic[1].SetCaption(Txt(14));
  miSelectLogoPic[2].SetCaption(Txt(15));
  miSelectLogoPic[3].SetCaption(Txt(16));
  miSelectLogoPic[4].SetCaption(Txt(17));
  miSelectLogoPic[5].SetCaption(Txt(18));
  event_log.miSaveLogAsText.SetCaption(Txt(19));
  event_log.miHistory.SetCaption(Txt(289));
  event_log.SaveDialog1.filter = Txt(20);
  event_log.SaveDialog1.title = Txt(21);
  robot_controls.btGreed.SetHint(Txt(22));
  robot_controls.cbBetOnRobotWorkTime.SetCaption(Txt(23));
  robot_controls.cbBetOnRobotWorkTime.SetHint(Txt(24));
  robot_controls.lbWorkFrom.SetCaption(Txt(25));
  robot_controls.lbWorkTo.SetCaption(Txt(26));
  robot_controls.cbeBetOnWorkStart.SetHint(Txt(27));
  robot_controls.cbeBetOnWorkEnd.SetHint(Txt(28));
  robot_controls.lbMinBalans.SetCaption(Txt(29));
  robot_controls.neMinBalans.SetHint(Txt(30));
  robot_controls.teSiteStatus.SetHint(Txt(31));
  robot_controls.teSiteStatus.SetText(Txt(32));
  lbValutePair.SetCaption(Txt(33));
  chart.cbeBetOnValutePair_.SetHint(Txt(34));
  lbTimeFrame.SetCaption(Txt(35));
  chart.cbeBetOnBetTimeCost_.SetHint(Txt(36));
  robot_controls.shRobotReady.SetHint(Txt(37));
  shWebBrowserBusy.SetHint(Txt(38));
  shHtmlParser.SetHint(Txt(39));
  shWaitIndicator.SetHint(Txt(190));
  robot_controls.btRun.SetCaption(Txt(41));
  robot_controls.btRun.SetHint(Txt(42));
  robot_controls.btPause1.SetHint(Txt(43));
  robot_controls.btPause2.SetHint(Txt(44));
  robot_controls.btPause3.SetHint(Txt(45));
  robot_controls.btPause3Fon.SetHint(Txt(45));
  robot_controls.btStop.SetCaption(Txt(46));
  robot_controls.btStop.SetHint(Txt(47));
  pnExpand.SetHint(Txt(48));
  gbLog.SetCaption(" " + Txt(49) + " ");

  // One text serves the like element on every strategy page.
  for (const StrategyRow& row : StrategyRows())
    for (const StrategyField& field : row.fields) {
      ui::Control& control = FieldControl(field, strategies);
      (field.label == nullptr ? control : strategies.*field.label).SetCaption(Txt(field.caption));
      control.SetHint(Txt(field.hint));
    }

  strategies.pcStrategy.SetHint(Txt(260));
  chart.cbeBetOnBetTimeCost_.SetItems({Txt(261), Txt(262), Txt(263)});
  chart.cbeBetOnBetTimeCost_.SetItemIndex(1);
}

// Width limits with the browser panel folded: the window opens at its minimum.
void TMainForm::SetUpWindowWidth() {
  MainPanelWidth = pnMain.Width();
  ExpandPanelWidth = pnExpand.Width();
  SetWidthLimits();
  Form.SetWidth(0);
}

void TMainForm::SetWidthLimits() {
  FrameAllowance = Form.FrameWidth() > 10 ? 6 : -2;
  Form.SetMinSize(MainPanelWidth + ExpandPanelWidth + FrameAllowance, kMinWindowHeight);
}

// The window manager's frame is known only once the window shows: the limits
// are set again for it, and the window keeps its browser panel's width.
void TMainForm::FormFrameChange() {
  if (MainPanelWidth == 0) return;
  const int panel_width = BrowserPanelShownWidth();
  SetWidthLimits();
  if (ExpandState == 0)
    Form.SetWidth(0);
  else if (!tmFormAnimate.Enabled())
    SetWindowWidthForPanel(panel_width);
}

void TMainForm::FormCreate() {
  // Before anything reads or writes the files they belong to.
  RemoveLeftoverTemporaries(".", {kSettingsFileName, kBetJournalFileName});
  browser_supervisor.IERegister(ProgramPath);
  {
    IniFile ini(kSettingsFileName);
    LoadSettings(*this, ini);
    SettingsFileUnreadable = ini.Unreadable();
  }
  site.LoadPageTemplates();
  account.cbeLogin.SetItems(ReadAccountList(kAccountListFile));
  LoadSounds();
  OpenDebugLog();
  ApplyLangPack();
  account.cbeLogin.SetItemIndex(LoginIndexFromSettings);
  RobotModeChange();
  for (const StrategyRow& row : StrategyRows()) ShowNeededDeposit(row, strategies);
  ShowCurrentGreed(robot.GreedPorog, robot_controls.btGreed, robot_controls.shGreed);
  imLogo.SetPictureIndex(LogoIndex);

  ExpandState = 0;
  KeepAwakeCounter = 0;
  event_log.Clear();
  LoadLedger();
  terminal.SnapshotState = snNone;
  terminal.Snapshot = Bitmap();
  terminal.LastTerminalPeriod = TerminalState::Period{};
  terminal.TerminalControl = cbAlpariSeek.Checked();
  EVENT = TEvent{};
  // The indicator raises a signal only on a change of direction: the arrow
  // the last program took may stand on a chart that this one first sees
  // covered, and must not look new once the chart shows.
  InheritDirection(EVENT, ledger.Signal());
  terminal.InheritedSignal = ledger.Signal();
  terminal.InheritedChart = ledger.SignalChart();
  robot.RobotBusy = false;
  robot.BalancedTarget = 0;
  page.SiteDataUpdated = false;
  page.CurrencyName.clear();
  robot.StartBalance = 0;
  robot.BetStake = 3;
  robot.BetDirection = drNone;
  robot.BetOnStatus = bsIdle;
  robot.RobotStatus = rsStopped;
  robot.RobotSubStatus = 0;
  robot.RobotPauseMode = pmNone;

  imLogo.SetEnabled(true);
  Form.SetCaption(Utf8PadRight(std::string("Vantrope for ") + kBrokerHost, 30) + kVersionText + " " + Txt(txTitle));
  SetUpWindowWidth();
  browser_panel.teWebAddr.SetText(site.MainUrl);
  ShowStatusMessage(Txt(txRobotReady));
  LoadArrowTemplates();
  tmVisualFx.SetEnabled(true);
  tmSeeker.SetEnabled(terminal.TerminalControl);
  tmClearRam.SetEnabled(true);

  platform.shell.BringToFront();
  Form.SetVisible(true);
}

void TMainForm::CreateWindows() {
  FormCreate();
  fmDebug.FormCreate(DebugWindowBounds, page.SimulatorEnabled);
  debug_simulators.FormCreate();
}

// The debug window's controls reach their handlers.
void TMainForm::BindDebugWindow() {
  DebugSimulators& sim = debug_simulators;
  for (ArrowButtons* arrows : {&fmDebug.arrow_simulator.arrows, &fmDebug.robot_debug.arrows})
    for (ui::Button* arrow : {&arrows->btArrowUp, &arrows->btArrowDown})
      arrow->onClick = [&sim, arrow] { sim.TerminalArrowSim(arrow->Tag()); };
  for (ui::Button* bet : {&fmDebug.manual_bet.btBetUp, &fmDebug.manual_bet.btBetDown})
    bet->onClick = [&sim, bet] { sim.DebugManualBet(bet->Tag()); };
  for (SiteStateButtons* states : {&fmDebug.site_simulator.states, &fmDebug.robot_debug.states})
    for (ui::RadioButton& state : states->rbState) state.onClick = [&sim, &state] { sim.WebSimClick(state.Tag()); };
  fmDebug.site_simulator.Button9.onClick = fmDebug.robot_debug.btCallRobot.onClick = [&sim] { sim.Button9Click(); };
  fmDebug.site_simulator.Button5.onClick = fmDebug.robot_debug.btSiteUpdated.onClick = [&sim] { sim.Button5Click(); };
  fmDebug.site_simulator.CheckBox1.onClick = [&sim] { sim.CheckBox1Click(); };
  fmDebug.robot_debug.NumericEditor2.onExit = [&sim] { sim.NumericEditor2Exit(); };
  fmDebug.robot_debug.Button11.onClick = [&sim] { sim.Button11Click(); };
  fmDebug.parser.gwDebug.onDblClick = [&sim](int col, int row) { sim.gwDebugDblClick(col, row); };
  fmDebug.parser.gwWebParser.onPopup = [&sim] { sim.ppmParserGridPopup(); };
  for (ui::MenuItem* copy : {&fmDebug.parser.miCopyRow, &fmDebug.parser.miCopyAll})
    copy->onClick = [&sim, copy] { sim.miSaveParsedFieldClick(copy->Tag()); };
  fmDebug.parser.mmWebRecogLog.onDblClick = [&sim] { sim.mmWebRecogLogDblClick(); };
  fmDebug.onLogFileFault = [this](const std::string& error) { DebugLogFileFault(error); };
}

bool TMainForm::FormClose() {
  if (robot.Running &&
      MyMessageDialog(Txt(txAttention), Txt(txRobotRunning) + "\r" + Txt(txCancelClosing), {Txt(txYes), Txt(txNo)},
                      {DialogButton::Yes, DialogButton::No}, DialogKind::Warning) == ModalResult::Yes)
    return false;
  tmClearRamTimer();
  tmClearRam.SetEnabled(false);
  if (auto fault = WriteSettingsFile()) {
    platform.shell.ShowErrorReport(fault->text);
    // The program keeps running, so the user can mend the file and close again.
    if (fault->retry_may_help) return false;
  }
  CloseDebugLog();
  platform.shell.Terminate();
  return true;
}

void TMainForm::CloseFromOutside() {
  tmClearRamTimer();
  tmClearRam.SetEnabled(false);
  // Nobody is there to read a message box, and the process must end anyway.
  if (auto fault = WriteSettingsFile()) std::cerr << fault->text << '\n';
  CloseDebugLog();
  platform.shell.Terminate();
}

void TMainForm::LoadArrowTemplates() {
  for (auto [picture, name] : {std::pair{&terminal.imUpPicture, "UP"}, std::pair{&terminal.imDownPicture, "DOWN"}}) {
    const std::vector<uint8_t>* bytes = FindResource("BITMAP", name);
    *picture = bytes ? ReadPixmap(*bytes).value_or(Bitmap()) : Bitmap();
  }
}

void TMainForm::LoadSounds() {
  static constexpr const char* kNames[] = {"INFO", "UP", "DOWN", "ERROR", "WIN", "LOST"};
  for (int type = ltInfo; type <= ltLost; ++type) Sounds[type] = FindResource("WAVE", kNames[type - ltInfo]);
}

void TMainForm::OpenDebugLog() {
  // Without its file the program still runs; the lines then only reach the view.
  if (auto error = fmDebug.LogFile.Open(kDebugLogFileName,
                                        "==== " + Trim(Txt(txDebugLogStart)) + " (" + kVersionText + ") ====",
                                        "==== " + Trim(Txt(txDebugLogEnd)) + " ===="))
    platform.shell.ShowErrorReport(*error);
}

void TMainForm::CloseDebugLog() {
  if (auto error = fmDebug.LogFile.Close()) platform.shell.ShowErrorReport(*error);
}

std::optional<TMainForm::SettingsFault> TMainForm::WriteSettingsFile() {
  // Written now, the file would keep the program's keys alone and lose the
  // page templates and the language pack; after a start on defaults, also
  // the user's values.
  const SettingsFault left_unread{Trim(Txt(txSettingsFileUnreadable) + " " + kSettingsFileName), false};
  if (SettingsFileUnreadable) return left_unread;
  try {
    IniFile ini(kSettingsFileName);
    if (ini.Unreadable()) return left_unread;
    SaveSettings(*this, ini);
    ini.Save();
  } catch (const IniWriteError& error) {
    return SettingsFault{error.what(), true};
  }
  return std::nullopt;
}

ModalResult TMainForm::MyShowMessage(const std::string& title, const std::string& message, DialogKind kind) {
  return platform.dialogs.MessageBox(title, message, kind, {DialogButton::Ok}, {});
}

void TMainForm::MyShowNotice(const std::string& title, const std::string& message, DialogKind kind) {
  platform.dialogs.ShowNotice(title, message, kind);
}

ModalResult TMainForm::MyMessageDialog(const std::string& title, const std::string& message,
                                       const std::vector<std::string>& captions,
                                       const std::vector<DialogButton>& buttons, DialogKind kind) {
  return platform.dialogs.MessageBox(title, message, kind, buttons, captions);
}

void TMainForm::ShowStatusMessage(const std::string& text) {
  tmStatusWiewer.SetEnabled(false);
  StatusBar1.SetText(" " + Trim(text));
  tmStatusWiewer.SetEnabled(true);
}

void TMainForm::tmStatusWiewerTimer() {
  tmStatusWiewer.SetEnabled(false);
  StatusBar1.SetText(std::string());
}

}  // namespace vantrope
