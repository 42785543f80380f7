// Start-up and shutdown of the main window against settings files on disk.
#include <gtest/gtest.h>

#include <sstream>

#include "support/form_fixture.h"
#include "support/refused_calls.h"

namespace vantrope {
namespace {

class StartupShutdownTest : public testing::FormFixture {
 protected:
  std::string SettingsText() const { return FileText("Vantrope.ini"); }

  // Closes the window and starts a new program on what it wrote.
  TMainForm& Restart() {
    EXPECT_TRUE(form->FormClose());
    form.reset();
    return Start();
  }
};

// The keys of one section as they stand in the file, in file order.
std::vector<std::string> KeysOf(const std::string& text, const std::string& section) {
  std::vector<std::string> keys;
  std::istringstream lines(text);
  std::string line;
  bool inside = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inside = line == "[" + section + "]";
      continue;
    }
    if (inside && line.find('=') != std::string::npos) keys.push_back(line.substr(0, line.find('=')));
  }
  return keys;
}

TEST_F(StartupShutdownTest, WithoutSettingsFileTheWindowOpensWithDefaults) {
  TMainForm& f = Start();
  EXPECT_EQ(f.Form.Left(), 0);
  EXPECT_EQ(f.Form.Top(), 0);
  EXPECT_EQ(f.Form.Height(), 512);
  EXPECT_EQ(f.Form.Width(), f.Form.MinWidth());
  EXPECT_EQ(f.Form.MinWidth(), f.pnMain.Width() + f.pnExpand.Width() - 2);
  EXPECT_TRUE(f.Form.Visible());
  EXPECT_EQ(f.StrategyIndex(), 0);
  EXPECT_EQ(f.strategies.pcStrategy.PageCaption(1), "Мартингейл");
  for (int page = 0; page < 5; ++page) EXPECT_TRUE(f.strategies.pcStrategy.PageEnabled(page)) << page;
  EXPECT_FALSE(f.strategies.pcStrategy.PageEnabled(5));
  EXPECT_FALSE(f.strategies.pcStrategy.PageEnabled(6));
  EXPECT_FALSE(f.cbAlpariSeek.Checked());
  EXPECT_FALSE(f.terminal.TerminalControl);
  EXPECT_EQ(f.account.lbLogin.Caption(), "");
  EXPECT_EQ(f.robot_controls.btRun.Caption(), "");
  EXPECT_EQ(f.strategies.neBot1BetSize.Value(), 3);
  EXPECT_EQ(f.strategies.speBot1BetCount.Value(), 5);
  EXPECT_EQ(f.terminal.TerminalPageName, "MetaQuotes::MetaTrader::4.00");
  EXPECT_EQ(f.terminal.imUp.Width(), 10);
  EXPECT_EQ(f.terminal.imDown.Height(), 8);
  EXPECT_EQ(f.browser_panel.teWebAddr.Text(), "http://127.0.0.1:8470/d/contact.cgi?l=EN");
  EXPECT_EQ(f.robot.BetOnStatus, bsIdle);
  EXPECT_EQ(f.EVENT.Period, 1);
  EXPECT_EQ(f.EVENT.PeriodUnit, "m");
  EXPECT_EQ(f.fmDebug.Form.Visible(), false);
}

TEST_F(StartupShutdownTest, ClosingWritesEveryKeyInItsOrder) {
  Start();
  ASSERT_TRUE(form->FormClose());
  EXPECT_EQ(fake.shell.terminate_calls, 1);
  EXPECT_TRUE(fake.dialogs.shown.empty()) << "an idle robot closes without a question";

  const std::string text = SettingsText();
  EXPECT_EQ(KeysOf(text, "MainForm"),
            (std::vector<std::string>{"Top", "Left", "Height", "Width", "DebugEnabled", "RobotWorkTime", "WorkStart",
                                      "WorkEnd", "fmDebug_Top", "fmDebug_Left", "fmDebug_Width", "fmDebug_Height",
                                      "Mute", "LogoIndex"}));
  EXPECT_EQ(KeysOf(text, "Alpari"), (std::vector<std::string>{"AlpariSeek", "AlpariHardUpdate", "TerminalPageName",
                                                               "ArrowSizeX", "ArrowSizeY"}));
  EXPECT_EQ(KeysOf(text, "Binary"),
            (std::vector<std::string>{"Language", "GreedPorog", "LoadPictures", "Login", "MinBalans", "MainUrl",
                                      "ReturnUrl", "LogOutUrl", "PortFolioUrl", "RobotMode", "RobotLastBet",
                                      "RobotBetCount", "RobotGameCount", "QuickReaction", "SignalLifetime"}));
  EXPECT_EQ(KeysOf(text, "Robot0"), (std::vector<std::string>{"Name", "Down", "BetSize", "BetCount", "ReBet"}));
  EXPECT_EQ(KeysOf(text, "Robot1"), (std::vector<std::string>{"Name", "Down", "ChainCount", "BetCount", "BetSize"}));
  EXPECT_EQ(KeysOf(text, "Robot2"), (std::vector<std::string>{"Name", "Down", "BetCount", "ChainCount", "BetSize"}));
  EXPECT_EQ(KeysOf(text, "Robot3"), (std::vector<std::string>{"Name", "Down", "ChainCount", "BetSize"}));
  EXPECT_EQ(KeysOf(text, "Robot5"), (std::vector<std::string>{"Name", "Down", "WinLimit", "LoseLimit", "BetSize",
                                                               "BetCount", "AutoDirect"}));
  EXPECT_EQ(KeysOf(text, "Robot6"), (std::vector<std::string>{"Name", "Down"}));
  EXPECT_EQ(KeysOf(text, "LangPack"), std::vector<std::string>{});

  // Sections in their order, each once.
  size_t previous = 0;
  for (const char* section : {"[MainForm]", "[Alpari]", "[Binary]", "[Robot0]", "[Robot1]", "[Robot2]", "[Robot3]",
                              "[Robot4]", "[Robot5]", "[Robot6]"}) {
    const size_t at = text.find(section);
    ASSERT_NE(at, std::string::npos) << section;
    EXPECT_GE(at, previous) << section;
    EXPECT_EQ(text.find(section, at + 1), std::string::npos) << section;
    previous = at;
  }
  // The settings default, not yet normalised by a run, is written back as it was.
  EXPECT_NE(text.find("RobotMode=100\r\n"), std::string::npos);
  EXPECT_NE(text.find("Name=Простая ставка\r\nDown=1\r\n"), std::string::npos);
}

TEST_F(StartupShutdownTest, ValuesSurviveARestart) {
  TMainForm& first = Start();
  first.Form.SetBounds(40, 30, first.Form.Width(), 700);
  first.BrowserPanelWidth = 820;
  first.robot_controls.cbBetOnRobotWorkTime.SetChecked(true);
  first.robot_controls.cbeBetOnWorkStart.SetItemIndex(9);
  first.robot_controls.cbeBetOnWorkEnd.SetItemIndex(18);
  first.Mute = true;
  first.LogoIndex = 4;
  first.robot.GreedPorog = 2;
  first.robot_controls.neMinBalans.SetValue(150);
  first.strategies.pcStrategy.SetActivePageIndex(stMonteCarlo);
  first.strategies.neBot4BetSize.SetValue(12);
  first.strategies.speBot4ChainCount.SetValue(3);
  first.strategies.cbBot5ChangeDirection.SetChecked(true);
  first.strategies.neBot5WinLimit.SetValue(40);
  first.robot.SavedStake = 86;
  first.robot.SavedBetCount = 4;
  first.robot.SavedGameCount = 1;
  first.robot.RobotPauseType = 0;

  TMainForm& second = Restart();
  EXPECT_EQ(second.Form.Left(), 40);
  EXPECT_EQ(second.Form.Top(), 30);
  EXPECT_EQ(second.Form.Height(), 700);
  EXPECT_EQ(second.BrowserPanelWidth, 820);
  EXPECT_TRUE(second.robot_controls.cbBetOnRobotWorkTime.Checked());
  EXPECT_EQ(second.robot_controls.cbeBetOnWorkStart.ItemIndex(), 9);
  EXPECT_EQ(second.robot_controls.cbeBetOnWorkEnd.ItemIndex(), 18);
  EXPECT_TRUE(second.Mute);
  EXPECT_EQ(second.LogoIndex, 4);
  EXPECT_EQ(second.imLogo.PictureIndex(), 4);
  EXPECT_EQ(second.robot.GreedPorog, 2);
  EXPECT_EQ(second.robot_controls.neMinBalans.Value(), 150);
  EXPECT_EQ(second.StrategyIndex(), 4);
  EXPECT_EQ(second.strategies.neBot4BetSize.Value(), 12);
  EXPECT_EQ(second.strategies.speBot4ChainCount.Value(), 3);
  EXPECT_TRUE(second.strategies.cbBot5ChangeDirection.Checked());
  EXPECT_EQ(second.strategies.neBot5WinLimit.Value(), 40);
  EXPECT_EQ(second.robot.SavedStake, 86);
  EXPECT_EQ(second.robot.SavedBetCount, 4);
  EXPECT_EQ(second.robot.SavedGameCount, 1);
  // Strategy 4 with nothing to resume was stored as 500.
  EXPECT_EQ(second.robot.RobotPauseType, 500);
}

TEST_F(StartupShutdownTest, HandEditedFileIsReadAsWritten) {
  WriteSettings(
      "; kept by hand\r\n"
      "[Alpari]\r\nArrowSizeX=0x0C\r\nArrowSizeY=12px\r\n"
      "[Binary]\r\nMinBalans=abc\r\nLoadPictures=0\r\nUnknownKey=stays\r\n"
      "PageFieldCount=2\r\nPageField_0=first template\r\nPageField_1=\"quoted\"\r\n"
      "PageСontrolsCount=1\r\nPageControl_0=control\r\nPageControlsCount=5\r\n"
      "PageNamesCount=1\r\nPageName_0=Главная\r\n"
      "[Robot1]\r\nDown=1\r\n[Robot3]\r\nDown=1\r\n[Robot0]\r\nDown=0\r\n"
      "[LangPack]\r\nTXT_0=(тест)\r\nTXT_1=Счет:\r\n");
  TMainForm& f = Start();
  EXPECT_EQ(f.terminal.imUp.Width(), 12);
  EXPECT_EQ(f.terminal.imUp.Height(), 8) << "a value that is not a number gives the default";
  EXPECT_EQ(f.robot_controls.neMinBalans.Value(), 0);
  EXPECT_EQ(f.StrategyIndex(), 3) << "the last section with Down set wins";
  EXPECT_EQ(fake.browser.load_pictures, std::optional<bool>(false));
  EXPECT_EQ(f.site.PageFieldTemplates, (std::vector<std::string>{"first template", "quoted"}));
  EXPECT_EQ(f.site.PageControlTemplates, (std::vector<std::string>{"control"}))
      << "only the count key with the Cyrillic letter counts";
  EXPECT_EQ(f.site.PageNames, (std::vector<std::string>{"Главная"}));
  EXPECT_EQ(f.account.lbLogin.Caption(), "Счет:");

  f.robot_controls.neMinBalans.SetValue(2.5);
  ASSERT_TRUE(f.FormClose());
  std::string text = SettingsText();
  EXPECT_NE(text.find("MinBalans=2\r\n"), std::string::npos);
  EXPECT_NE(text.find("LoadPictures=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("ArrowSizeX=12\r\n"), std::string::npos);
  for (const char* untouched : {"; kept by hand\r\n", "UnknownKey=stays\r\n", "PageField_1=\"quoted\"\r\n",
                                "PageСontrolsCount=1\r\n", "PageControlsCount=5\r\n", "PageName_0=Главная\r\n",
                                "[LangPack]\r\nTXT_0=(тест)\r\nTXT_1=Счет:\r\n"})
    EXPECT_NE(text.find(untouched), std::string::npos) << untouched;
  EXPECT_NE(text.find("[Robot3]\r\nDown=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("[Robot1]\r\nDown=0\r\n"), std::string::npos);
}

TEST_F(StartupShutdownTest, ArrowTemplateSizesAreHeldToTheirLimits) {
  WriteSettings("[Alpari]\r\nArrowSizeX=40\r\nArrowSizeY=0\r\n");
  TMainForm& f = Start();
  EXPECT_EQ(f.terminal.imUp.Width(), 32);
  EXPECT_EQ(f.terminal.imDown.Height(), 1);
  EXPECT_EQ(f.terminal.imUpPicture.Width(), 10) << "the stored picture keeps its size";
  ASSERT_TRUE(f.FormClose());
  const std::string text = SettingsText();
  EXPECT_NE(text.find("ArrowSizeX=32\r\n"), std::string::npos);
  EXPECT_NE(text.find("ArrowSizeY=1\r\n"), std::string::npos);
}

TEST_F(StartupShutdownTest, MoneyEditorsAreWrittenRoundedHalfToEven) {
  TMainForm& f = Start();
  f.robot_controls.neMinBalans.SetValue(3.5);
  f.strategies.neBot5WinLimit.SetValue(14.5);
  ASSERT_TRUE(f.FormClose());
  const std::string text = SettingsText();
  EXPECT_NE(text.find("MinBalans=4\r\n"), std::string::npos);
  EXPECT_NE(text.find("WinLimit=14\r\n"), std::string::npos);
}

TEST_F(StartupShutdownTest, SavedChainSurvivesAStartWithoutARun) {
  WriteSettings("[Binary]\nRobotMode=302\nRobotLastBet=16\n[Robot2]\nDown=1\n");
  Start();
  ASSERT_TRUE(form->FormClose());
  EXPECT_NE(SettingsText().find("RobotMode=302"), std::string::npos);
  form.reset();
  Start();
  form->robot.RobotPauseType = 2;  // a run paused its chain
  form->strategies.pcStrategy.SetActivePageIndex(stMartingale);
  ASSERT_TRUE(form->FormClose());
  EXPECT_NE(SettingsText().find("RobotMode=202"), std::string::npos);
}

TEST_F(StartupShutdownTest, OutOfRangeIntegersKeepTheirLowBits) {
  WriteSettings(
      "[MainForm]\nLogoIndex=257\n[Binary]\nGreedPorog=0x102\nRobotMode=65636\nRobotBetCount=-1\n"
      "PageNamesCount=65537\nPageName_0=only\n");
  TMainForm& f = Start();
  EXPECT_EQ(f.LogoIndex, 1);
  EXPECT_EQ(f.robot.GreedPorog, 2);
  EXPECT_EQ(f.robot.RobotPauseType, 100);
  EXPECT_EQ(f.robot.SavedBetCount, 65535);
  EXPECT_EQ(f.site.PageNames, std::vector<std::string>{"only"});
}

TEST_F(StartupShutdownTest, TerminalClassFitsItsBuffer) {
  WriteSettings("[Alpari]\nTerminalPageName=" + std::string(300, 'W') + "\n");
  EXPECT_EQ(Start().terminal.TerminalPageName, std::string(255, 'W'));
  form.reset();
  WriteSettings("[Alpari]\nTerminalPageName=\n");
  EXPECT_EQ(Start().terminal.TerminalPageName, "MetaQuotes::MetaTrader::4.00") << "an empty class would match nothing";
}

TEST_F(StartupShutdownTest, JunkFilesStartWithDefaults) {
  for (const std::string& junk :
       {std::string("\0\x01\x02\xff\xfe[\0]=\n==\n[MainForm\nTop=\n", 28), std::string("[MainForm]\nTop=") +
            std::string(5000, '7') + "\nLeft=12\nLeft=99\n[Robot0]\nName=" + std::string(3000, 'x') + "\n"}) {
    WriteSettings(junk);
    TMainForm& f = Start();
    EXPECT_EQ(f.Form.Top(), 0);
    EXPECT_EQ(f.StrategyIndex(), 0);
    form.reset();
  }
  TMainForm& f = Start();
  EXPECT_EQ(f.Form.Left(), 12) << "the first of duplicate keys counts";
  EXPECT_EQ(f.strategies.pcStrategy.PageCaption(0), std::string(2047, 'x'));
}

TEST_F(StartupShutdownTest, CaptionNamesTheBrokerHostAndVersion) {
  TMainForm& f = Start();
  EXPECT_EQ(f.Form.Caption(), "Vantrope for 127.0.0.1        ver: 1.62 ");
  form.reset();
  WriteSettings("[LangPack]\nTXT_0=(демо)\n");
  EXPECT_EQ(Start().Form.Caption(), "Vantrope for 127.0.0.1        ver: 1.62 (демо)");
}

TEST_F(StartupShutdownTest, RunningRobotAsksBeforeClosing) {
  WriteSettings("[LangPack]\nTXT_105=Да\nTXT_109=Робот работает.\nTXT_110=Отменить закрытие?\nTXT_111=Внимание\n"
                "TXT_259=Нет\n");
  TMainForm& f = Start();
  f.robot.Running = true;  // as after Start
  fake.dialogs.answers = {ModalResult::Yes};
  EXPECT_FALSE(f.FormClose());
  ASSERT_EQ(fake.dialogs.shown.size(), 1u);
  const auto& question = fake.dialogs.shown[0];
  EXPECT_EQ(question.title, "Внимание");
  EXPECT_EQ(question.text, "Робот работает.\rОтменить закрытие?");
  EXPECT_EQ(question.kind, DialogKind::Warning);
  EXPECT_EQ(question.buttons, (std::vector<DialogButton>{DialogButton::Yes, DialogButton::No}));
  EXPECT_EQ(question.captions, (std::vector<std::string>{"Да", "Нет"}));
  EXPECT_EQ(fake.shell.terminate_calls, 0);
  EXPECT_EQ(SettingsText().find("[MainForm]"), std::string::npos) << "nothing written while the window stays";

  f.robot.SavedStake = 37;
  fake.dialogs.answers = {ModalResult::No};
  EXPECT_TRUE(f.FormClose());
  EXPECT_EQ(fake.shell.terminate_calls, 1);
  EXPECT_NE(SettingsText().find("RobotLastBet=37\n"), std::string::npos) << "new lines follow the file's line ends";
}

TEST_F(StartupShutdownTest, UnwritableSettingsKeepTheProgramRunning) {
  TMainForm& f = Start();
  std::filesystem::create_directory(dir.Path() / "Vantrope.ini");
  EXPECT_FALSE(f.FormClose());
  EXPECT_EQ(fake.shell.error_reports, std::vector<std::string>{"Unable to write to Vantrope.ini"});
  EXPECT_EQ(fake.shell.terminate_calls, 0);

  std::filesystem::remove(dir.Path() / "Vantrope.ini");
  EXPECT_TRUE(f.FormClose()) << "the user can close again once the file can be written";
}

// Replacing a file that could not be read would keep the program's keys
// alone: the page templates and the language pack would be lost. Closing
// again would change nothing, so the window closes.
TEST_F(StartupShutdownTest, SettingsFileThatCannotBeReadAtShutdownIsLeftAsItIs) {
  WriteSettings("[Binary]\nPageField_0=поле\n[LangPack]\nTXT_290=Файл настроек не читается:\n");
  TMainForm& f = Start();
  const std::string before = dir.ReadFile("Vantrope.ini");
  bool closed = false;
  testing::RunRefusing(testing::Refusal::kReadingOpens, [&] { closed = f.FormClose(); });
  EXPECT_EQ(dir.ReadFile("Vantrope.ini"), before);
  EXPECT_EQ(fake.shell.error_reports, std::vector<std::string>{"Файл настроек не читается: Vantrope.ini"});
  EXPECT_TRUE(closed);
  EXPECT_EQ(fake.shell.terminate_calls, 1);
}

// A program started on defaults would write them over the user's values.
TEST_F(StartupShutdownTest, SettingsFileThatCouldNotBeReadAtStartUpIsLeftAsItIs) {
  WriteSettings("[MainForm]\nMute=1\n[LangPack]\nTXT_290=Файл настроек не читается:\n");
  const std::string before = dir.ReadFile("Vantrope.ini");
  testing::RunRefusing(testing::Refusal::kReadingOpens, [&] { Start(); });
  EXPECT_FALSE(form->Mute) << "the program runs on defaults";
  ::testing::internal::CaptureStderr();
  form->CloseFromOutside();
  // The language pack is in the file that could not be read.
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Vantrope.ini\n");
  EXPECT_EQ(dir.ReadFile("Vantrope.ini"), before);
  EXPECT_EQ(fake.shell.terminate_calls, 1);
}

TEST_F(StartupShutdownTest, StartUpRemovesWhatAnInterruptedSettingsWriteLeftAndNothingElse) {
  WriteSettings("[MainForm]\nMute=1\n");
  const std::vector<std::string> leftovers = {"Vantrope.ini.0123456789abcdef.tmp", "Vantrope.ini.fedcba9876543210.tmp"};
  const std::vector<std::string> others = {
      "Vantrope.ini.0123456789abcde.tmp",  "Vantrope.ini.0123456789abcdef0.tmp", "Vantrope.ini.0123456789abcdeg.tmp",
      "Vantrope.ini.0123456789abcdef.tmp~", "xVantrope.ini.0123456789abcdef.tmp", "Vantrope.ini.tmp",
      "history.dat.0123456789abcdef.tmp",  "history.dat"};
  for (const std::string& name : leftovers) dir.WriteFile(name, "[MainForm]\nMute=0\n");
  for (const std::string& name : others) dir.WriteFile(name, "kept");
  EXPECT_TRUE(Start().Mute);
  for (const std::string& name : leftovers) EXPECT_FALSE(std::filesystem::exists(dir.Path() / name)) << name;
  for (const std::string& name : others) EXPECT_EQ(dir.ReadFile(name), "kept") << name;
  EXPECT_NE(dir.ReadFile("Vantrope.ini").find("Mute=1"), std::string::npos);
}

TEST_F(StartupShutdownTest, ClosingFromOutsideAsksNothingAndSaves) {
  TMainForm& f = Start();
  f.robot.Running = true;
  f.robot.SavedGameCount = 3;
  f.CloseFromOutside();
  EXPECT_TRUE(fake.dialogs.shown.empty());
  EXPECT_EQ(fake.shell.terminate_calls, 1);
  EXPECT_NE(SettingsText().find("RobotGameCount=3\r\n"), std::string::npos);
}

TEST_F(StartupShutdownTest, AccountListFillsTheAccountBox) {
  dir.WriteFile("accounts.txt", "# my accounts\nCR100200\n\n  CR100201  \r\nVRTC300\n");
  WriteSettings("[Binary]\nLogin=1\n");
  TMainForm& f = Start();
  EXPECT_EQ(f.account.cbeLogin.Items(), (std::vector<std::string>{"CR100200", "CR100201", "VRTC300"}));
  EXPECT_EQ(f.account.cbeLogin.Text(), "CR100201");
  form.reset();
  WriteSettings("[Binary]\nLogin=3\n");
  EXPECT_EQ(Start().account.cbeLogin.ItemIndex(), -1) << "an index outside the list selects nothing";
}

TEST_F(StartupShutdownTest, StartStatusMessageShowsForEightSeconds) {
  WriteSettings("[LangPack]\nTXT_108=  Робот загружен  \n");
  TMainForm& f = Start();
  EXPECT_EQ(f.StatusBar1.Text(), " Робот загружен");
  fake.clock.Advance(7999);
  EXPECT_EQ(f.StatusBar1.Text(), " Робот загружен");
  fake.clock.Advance(1);
  EXPECT_EQ(f.StatusBar1.Text(), "");
  EXPECT_FALSE(fake.clock.IsArmed(f.tmStatusWiewer));
}

TEST_F(StartupShutdownTest, LanguagePackReachesTheWindow) {
  WriteSettings("[LangPack]\nTXT_49=История\nTXT_54=Ставок:\nTXT_261=с\nTXT_262=мин\nTXT_263=ч\n");
  TMainForm& f = Start();
  EXPECT_EQ(f.gbLog.Caption(), " История ");
  EXPECT_EQ(f.strategies.lbBot2BetCount.Caption(), "Ставок:");
  EXPECT_EQ(f.strategies.lbBot5BetCount.Caption(), "Ставок:");
  EXPECT_EQ(f.chart.cbeBetOnBetTimeCost_.Items(), (std::vector<std::string>{"с", "мин", "ч"}));
  EXPECT_EQ(f.chart.cbeBetOnBetTimeCost_.Text(), "мин");
}

TEST_F(StartupShutdownTest, GoOnUntilFirstLossHidesTheBetCount) {
  WriteSettings("[Robot0]\nReBet=1\n");
  TMainForm& f = Start();
  EXPECT_FALSE(f.strategies.speBot0BetCount.Visible());
  f.strategies.cbBot0ReBet.SetChecked(false);
  f.strategies.cbBot0ReBet.onClick();
  EXPECT_TRUE(f.strategies.speBot0BetCount.Visible());
  EXPECT_TRUE(f.strategies.lbBot0BetCount.Visible());
}

TEST_F(StartupShutdownTest, DebugWindowKeepsTheBoundsItWasClosedWith) {
  WriteSettings("[MainForm]\nfmDebug_Top=10\nfmDebug_Left=20\nfmDebug_Width=640\nfmDebug_Height=480\n");
  TMainForm& f = Start();
  EXPECT_FALSE(f.fmDebug.Form.Visible());
  EXPECT_EQ(f.fmDebug.Form.Width(), 640);
  f.imLogo.onDblClick();
  f.fmDebug.Form.SetBounds(100, 50, 700, 500);
  f.fmDebug.FormClose();
  TMainForm& g = Restart();
  EXPECT_EQ(g.fmDebug.Form.Left(), 100);
  EXPECT_EQ(g.fmDebug.Form.Top(), 50);
  EXPECT_EQ(g.fmDebug.Form.Height(), 500);
}

}  // namespace
}  // namespace vantrope
