#include "app/main_form.h"

#include <iostream>

#include "app/account_list.h"
#include "app/resources.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"
#include "site/pair_table.h"
#include "site/default_addresses.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr const char* kVersionText = "ver: 1.62";
constexpr const char* kSettingsFile = "Vantrope.ini";
constexpr int kStatusMessageMs = 8000;

// Initial widths of the panels that the window-width set-up measures.
constexpr int kMainPanelWidth = 372;
constexpr int kExpandPanelWidth = 14;
constexpr int kMinWindowHeight = 512;

std::vector<std::string> HourItems() {
  std::vector<std::string> items;
  for (int hour = 0; hour < 24; ++hour) items.push_back((hour < 10 ? "0" : "") + std::to_string(hour) + ":00");
  return items;
}

void SetUpMoneyEditor(ui::NumberEdit& editor, double min, double max, int decimals) {
  editor.SetLimits(min, max);
  editor.SetDecimals(decimals);
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
      tmSeeker(p.timers, "tmSeeker", 1000, [this] { tmSeekerTimer(); }) {
  BuildControls();
  cbBot0ReBet.onClick = [this] { cbBot0ReBetClick(); };
  Form.onResize = [this] { FormResize(); };
  pnExpand.onClick = [this] { pnExpandClick(); };
  imLogo.onDblClick = [this] { imLogoDblClick(); };
  for (ui::MenuItem& item : miSelectLogoPic) item.onClick = [this, &item] { miSelectLogoPicClick(item.Tag()); };
  miSaveLogAsText.onClick = [this] { miSaveLogAsTextClick(); };
  gwLog.onPopup = [this] { ppmLogPopup(); };
  btMute.onClick = [this] { btMuteClick(); };
  teWebAddr.onButtonClick = [this] { teWebAddrButtonClick(); };
  btRun.onClick = [this] { btRunClick(); };
  btStop.onClick = [this] { btStopClick(); };
  for (ui::Button* pause : {&btPause1, &btPause2, &btPause3, &btPause3Fon})
    pause->onClick = [this, pause] { btPause1Click(*pause); };
  pcStrategy.onChange = [this] { RobotModeChange(); };
  btGreed.onClick = [this] { btGreedClick(); };
  cbAlpariSeek.onClick = [this] { cbAlpariSeekClick(); };
  // The stake editors on leaving and on change, the chain lengths on change.
  struct DepositPage {
    ui::NumberEdit* stake;
    ui::SpinEdit* length;
    void (TMainForm::*calc)();
  };
  for (const DepositPage& page : {DepositPage{&neBot1BetSize, &speBot1BetCount, &TMainForm::BetOnNeedDepositCalc1},
                                  DepositPage{&neBot2BetSize, &speBot2ChainCount, &TMainForm::BetOnNeedDepositCalc2},
                                  DepositPage{&neBot3BetSize, &speBot3ChainCount, &TMainForm::BetOnNeedDepositCalc3},
                                  DepositPage{&neBot4BetSize, &speBot4BetCount, &TMainForm::BetOnNeedDepositCalc4}}) {
    const auto calc = page.calc;
    page.stake->onChange = page.stake->onExit = page.length->onChange = [this, calc] { (this->*calc)(); };
  }
  teWebAddr.onDblClick = [this] { HtmlParser(); };
  platform.browser.onBeforeNavigate = [this](const std::string& url) { WebBrowser1BeforeNavigate2(url); };
  platform.browser.onDocumentComplete = [this] { WebBrowser1DocumentComplete(); };
  platform.browser.onProgressChange = [this] { WebBrowser1ProgressChange(); };
}

TMainForm::~TMainForm() {
  platform.browser.onBeforeNavigate = nullptr;
  platform.browser.onDocumentComplete = nullptr;
  platform.browser.onProgressChange = nullptr;
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
  pbWEB.SetVisible(false);

  tePassword.SetPassword(true);
  for (ui::NumberEdit* balance : {&neStartBalanse, &neCurrentBalanse, &neWinBalanse}) {
    SetUpMoneyEditor(*balance, 0, 0, 2);
    balance->SetReadOnly(true);
  }
  neWinBalanse.SetFontColor(ui::Rgb(0xC0, 0xC0, 0xC0));

  for (int i = 0; i < kLogoCount; ++i) miSelectLogoPic[i].SetTag(i);
  imLogo.SetSize(106, 105);

  btGreed.SetCaption("100%");
  cbeBetOnWorkStart.SetItems(HourItems());
  cbeBetOnWorkEnd.SetItems(HourItems());
  SetUpMoneyEditor(neMinBalans, 0, 1e9, 2);
  teSiteStatus.SetReadOnly(true);

  cbeBetOnValutePair_.SetItems(PairItems());
  cbeBetOnValutePair_.SetItemIndex(0);
  teBetOnBetPeriod_.SetText("30");
  cbeBetOnBetTimeCost_.SetItems({"секунд", "минут", "часов"});
  cbeBetOnBetTimeCost_.SetItemIndex(1);
  // The program sets these three from the signal; the user cannot type in them.
  cbeBetOnValutePair_.SetEnabled(false);
  teBetOnBetPeriod_.SetEnabled(false);
  cbeBetOnBetTimeCost_.SetEnabled(false);

  btRun.SetTag(1);
  btPause1.SetTag(2);
  btPause2.SetTag(3);
  btPause3.SetTag(4);
  btPause3Fon.SetTag(4);
  btStop.SetTag(5);
  // At rest only Start can be pressed.
  btPause1.SetEnabled(false);
  btPause2.SetEnabled(false);
  btPause3.SetEnabled(false);
  btStop.SetEnabled(false);
  btPause3Fon.SetVisible(false);

  // Strategy money editors take one decimal; stakes and limits are rounded
  // to whole units where they are used.
  for (ui::NumberEdit* stake : {&neBot0BetSize, &neBot1BetSize, &neBot2BetSize, &neBot3BetSize, &neBot4BetSize,
                                &neBot5BetSize})
    SetUpMoneyEditor(*stake, 3, 100000, 1);
  for (ui::NumberEdit* deposit : {&neBot1MinDeposit, &neBot2MinDeposit, &neBot3MinDeposit, &neBot4MinDeposit}) {
    SetUpMoneyEditor(*deposit, 0, 0, 0);
    deposit->SetReadOnly(true);
  }
  for (ui::NumberEdit* limit : {&neBot5WinLimit, &neBot5LoseLimit}) SetUpMoneyEditor(*limit, 6, 100000, 1);
  SetUpMoneyEditor(neBot5Porog, 0, 100000, 1);
  neBot5Porog.SetReadOnly(true);
  for (ui::SpinEdit* bets : {&speBot0BetCount, &speBot5BetCount}) bets->SetLimits(1, 20);
  for (ui::SpinEdit* chains : {&speBot1ChainCount, &speBot2BetCount, &speBot4ChainCount}) chains->SetLimits(1, 9);
  for (ui::SpinEdit* length : {&speBot1BetCount, &speBot2ChainCount, &speBot3ChainCount, &speBot4BetCount})
    length->SetLimits(1, 99);

  imUp.SetVisible(false);
  imDown.SetVisible(false);
}

// The texts of the language pack on the window's captions, hints and menus.
void TMainForm::ApplyLangPack() {
  Form.SetCaption(std::string());  // set with the version at the end of start-up
  lbLogin.SetCaption(Txt(1));
  lbPassword.SetCaption(Txt(2));
  lbStartBalanse.SetCaption(Txt(3));
  lbCurrentBalanse.SetCaption(Txt(4));
  lbWinBalanse.SetCaption(Txt(5));
  cbeLogin.SetHint(Txt(6));
  tePassword.SetHint(Txt(7));
  neStartBalanse.SetHint(Txt(8));
  neCurrentBalanse.SetHint(Txt(9));
  neWinBalanse.SetHint(Txt(10));
  cbAlpariSeek.SetCaption(Txt(11));
  cbAlpariSeek.SetHint(Txt(12));
  miSelectLogoPic[0].SetCaption(Txt(13));
  miSelectLogoPic[1].SetCaption(Txt(14));
  miSelectLogoPic[2].SetCaption(Txt(15));
  miSelectLogoPic[3].SetCaption(Txt(16));
  miSelectLogoPic[4].SetCaption(Txt(17));
  miSelectLogoPic[5].SetCaption(Txt(18));
  miSaveLogAsText.SetCaption(Txt(19));
  SaveDialog1.filter = Txt(20);
  SaveDialog1.title = Txt(21);
  btGreed.SetHint(Txt(22));
  cbBetOnRobotWorkTime.SetCaption(Txt(23));
  cbBetOnRobotWorkTime.SetHint(Txt(24));
  lbWorkFrom.SetCaption(Txt(25));
  lbWorkTo.SetCaption(Txt(26));
  cbeBetOnWorkStart.SetHint(Txt(27));
  cbeBetOnWorkEnd.SetHint(Txt(28));
  lbMinBalans.SetCaption(Txt(29));
  neMinBalans.SetHint(Txt(30));
  teSiteStatus.SetHint(Txt(31));
  teSiteStatus.SetText(Txt(32));
  lbValutePair.SetCaption(Txt(33));
  cbeBetOnValutePair_.SetHint(Txt(34));
  lbTimeFrame.SetCaption(Txt(35));
  cbeBetOnBetTimeCost_.SetHint(Txt(36));
  shRobotReady.SetHint(Txt(37));
  shWebBrowserBusy.SetHint(Txt(38));
  shHtmlParser.SetHint(Txt(39));
  shWaitIndicator.SetHint(Txt(190));
  btRun.SetCaption(Txt(41));
  btRun.SetHint(Txt(42));
  btPause1.SetHint(Txt(43));
  btPause2.SetHint(Txt(44));
  btPause3.SetHint(Txt(45));
  btPause3Fon.SetHint(Txt(45));
  btStop.SetCaption(Txt(46));
  btStop.SetHint(Txt(47));
  pnExpand.SetHint(Txt(48));
  gbLog.SetCaption(" " + Txt(49) + " ");

  // One text serves the like element on every strategy page.
  for (ui::Label* stake : {&lbBot0BetSize, &lbBot5BetSize}) stake->SetCaption(Txt(50));
  for (ui::NumberEdit* stake : {&neBot0BetSize, &neBot5BetSize}) stake->SetHint(Txt(51));
  cbBot0ReBet.SetCaption(Txt(52));
  cbBot0ReBet.SetHint(Txt(53));
  for (ui::Label* bets : {&lbBot0BetCount, &lbBot2BetCount, &lbBot5BetCount}) bets->SetCaption(Txt(54));
  for (ui::SpinEdit* bets : {&speBot0BetCount, &speBot2BetCount, &speBot5BetCount}) bets->SetHint(Txt(55));
  for (ui::Label* deposit : {&lbBot1MinDeposit, &lbBot2MinDeposit, &lbBot3MinDeposit, &lbBot4MinDeposit})
    deposit->SetCaption(Txt(56));
  for (ui::Label* chains : {&lbBot1ChainCount, &lbBot4ChainCount}) chains->SetCaption(Txt(57));
  for (ui::Label* length : {&lbBot1BetCount, &lbBot2ChainCount, &lbBot3ChainCount, &lbBot4BetCount})
    length->SetCaption(Txt(58));
  for (ui::Label* stake : {&lbBot1BetSize, &lbBot2BetSize, &lbBot3BetSize, &lbBot4BetSize}) stake->SetCaption(Txt(59));
  for (ui::NumberEdit* deposit : {&neBot1MinDeposit, &neBot2MinDeposit, &neBot3MinDeposit, &neBot4MinDeposit})
    deposit->SetHint(Txt(60));
  for (ui::SpinEdit* chains : {&speBot1ChainCount, &speBot4ChainCount}) chains->SetHint(Txt(61));
  for (ui::SpinEdit* length : {&speBot1BetCount, &speBot2ChainCount, &speBot3ChainCount, &speBot4BetCount})
    length->SetHint(Txt(62));
  for (ui::NumberEdit* stake : {&neBot1BetSize, &neBot2BetSize, &neBot3BetSize, &neBot4BetSize})
    stake->SetHint(Txt(63));
  lbBot5WinLimit.SetCaption(Txt(64));
  lbBot5Porog.SetCaption(Txt(65));
  lbBot5LoseLimit.SetCaption(Txt(66));
  cbBot5ChangeDirection.SetCaption(Txt(67));
  cbBot5ChangeDirection.SetHint(Txt(68));
  neBot5WinLimit.SetHint(Txt(69));
  neBot5Porog.SetHint(Txt(70));
  neBot5LoseLimit.SetHint(Txt(71));

  pcStrategy.SetHint(Txt(260));
  cbeBetOnBetTimeCost_.SetItems({Txt(261), Txt(262), Txt(263)});
  cbeBetOnBetTimeCost_.SetItemIndex(1);
}

// Width limits with the browser panel folded: the window opens at its minimum.
void TMainForm::SetUpWindowWidth() {
  MainPanelWidth = pnMain.Width();
  ExpandPanelWidth = pnExpand.Width();
  FrameAllowance = Form.FrameWidth() > 10 ? 6 : -2;
  Form.SetMinSize(MainPanelWidth + ExpandPanelWidth + FrameAllowance, kMinWindowHeight);
  Form.SetWidth(0);
}

void TMainForm::FormCreate() {
  IERegister(ProgramPath);
  {
    IniFile ini(kSettingsFile);
    LoadSettings(*this, ini);
  }
  LoadPageTemplates();
  cbeLogin.SetItems(ReadAccountList(kAccountListFile));
  LoadSounds();
  OpenDebugLog();
  ApplyLangPack();
  cbeLogin.SetItemIndex(LoginIndexFromSettings);
  RobotModeChange();
  BetOnNeedDepositCalc1();
  BetOnNeedDepositCalc2();
  BetOnNeedDepositCalc3();
  BetOnNeedDepositCalc4();
  ShowCurrentGreed();
  imLogo.SetPictureIndex(LogoIndex);

  ExpandState = 0;
  KeepAwakeCounter = 0;
  LastLogText.clear();
  LogRepeatGuard = 0;
  gwLog.Clear();
  SnapshotState = 0;
  Snapshot = Bitmap();
  LastTerminalPeriod = TTerminalPeriod{};
  TerminalControl = cbAlpariSeek.Checked();
  EVENT = TEvent{};
  RobotBusy = false;
  BalancedTarget = 0;
  SiteDataUpdated = false;
  CurrencyName.clear();
  StartBalance = 0;
  BetStake = 3;
  BetDirection = 0;
  BetOnStatus = 65535;
  RobotStatus = 0;
  RobotSubStatus = 0;
  RobotPauseMode = 0;

  imLogo.SetEnabled(true);
  Form.SetCaption(Utf8PadRight(std::string("Vantrope for ") + kBrokerHost, 30) + kVersionText + " " + Txt(0));
  SetUpWindowWidth();
  teWebAddr.SetText(MainUrl);
  ShowStatusMessage(Txt(108));
  LoadArrowTemplates();
  tmVisualFx.SetEnabled(true);
  tmSeeker.SetEnabled(TerminalControl);
  tmClearRam.SetEnabled(true);

  platform.shell.BringToFront();
  Form.SetVisible(true);
  platform.shell.ProcessMessages();
}

void TMainForm::CreateWindows() {
  FormCreate();
  fmDebug.FormCreate(DebugWindowBounds);
}

bool TMainForm::FormClose() {
  const bool robot_running = !btRun.Enabled();
  if (robot_running &&
      MyMessageDialog(Txt(111), Txt(109) + "\r" + Txt(110), {Txt(105), Txt(259)},
                      {DialogButton::Yes, DialogButton::No}, DialogKind::Warning) == ModalResult::Yes)
    return false;
  tmClearRamTimer();
  tmClearRam.SetEnabled(false);
  if (auto error = WriteSettingsFile()) {
    // The program keeps running, so the user can mend the file and close again.
    platform.shell.ShowErrorReport(*error);
    return false;
  }
  CloseDebugLog();
  platform.shell.Terminate();
  return true;
}

void TMainForm::CloseFromOutside() {
  tmClearRamTimer();
  tmClearRam.SetEnabled(false);
  // Nobody is there to read a message box, and the process must end anyway.
  if (auto error = WriteSettingsFile()) std::cerr << *error << '\n';
  CloseDebugLog();
  platform.shell.Terminate();
}

void TMainForm::LoadSounds() {
  static constexpr const char* kNames[] = {"INFO", "UP", "DOWN", "ERROR", "WIN", "LOST"};
  for (int type = ltInfo; type <= ltLost; ++type) Sounds[type] = FindResource("WAVE", kNames[type - ltInfo]);
}

void TMainForm::OpenDebugLog() {
  // Without its file the program still runs; the lines then only reach the view.
  if (auto error = fmDebug.LogFile.Open(kDebugLogFileName)) {
    platform.shell.ShowErrorReport(*error);
    return;
  }
  if (auto error = fmDebug.LogFile.WriteLine("==== " + Trim(Txt(271)) + " (" + kVersionText + ") ===="))
    platform.shell.ShowErrorReport(*error);
}

void TMainForm::CloseDebugLog() {
  if (auto error = fmDebug.LogFile.WriteLine("==== " + Trim(Txt(272)) + " ====")) {
    platform.shell.ShowErrorReport(*error);
  } else if (auto second = fmDebug.LogFile.WriteLine("")) {
    platform.shell.ShowErrorReport(*second);
  }
  fmDebug.LogFile.Close();
}

std::optional<std::string> TMainForm::WriteSettingsFile() {
  try {
    IniFile ini(kSettingsFile);
    SaveSettings(*this, ini);
    ini.Save();
  } catch (const IniWriteError& error) {
    return error.what();
  }
  return std::nullopt;
}

ModalResult TMainForm::MyShowMessage(const std::string& title, const std::string& message, DialogKind kind) {
  return platform.dialogs.MessageBox(title, message, kind, {DialogButton::Ok}, {});
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

void TMainForm::cbBot0ReBetClick() {
  const bool count_matters = !cbBot0ReBet.Checked();
  speBot0BetCount.SetVisible(count_matters);
  lbBot0BetCount.SetVisible(count_matters);
}

void TMainForm::tmStatusWiewerTimer() {
  tmStatusWiewer.SetEnabled(false);
  StatusBar1.SetText(std::string());
}

}  // namespace vantrope
