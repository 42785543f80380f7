#include "app/settings_store.h"

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "app/main_form.h"
#include "engine/strategy_registry.h"
#include "ui/money.h"
#include "site/default_addresses.h"
#include "settings/ini_file.h"
#include "text/cp1251.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr const char* kDefaultTerminalClass = "MetaQuotes::MetaTrader::4.00";
// The terminal's class goes into a 256-byte zero-terminated buffer.
constexpr size_t kTerminalClassMaxBytes = 255;

std::string RobotSection(size_t index) { return "Robot" + std::to_string(index); }

// Keeps at most the buffer's bytes of the class in the file's code page.
std::string TerminalClassFromSettings(const std::string& value) {
  std::string bytes = Utf8ToCp1251(value);
  if (bytes.empty()) return kDefaultTerminalClass;
  if (bytes.size() > kTerminalClassMaxBytes) bytes.resize(kTerminalClassMaxBytes);
  return Cp1251ToUtf8(bytes);
}

std::vector<std::string> ReadTable(const IniFile& ini, const char* count_key, int32_t count_default,
                                   const std::string& prefix) {
  const auto count = static_cast<uint16_t>(ini.ReadInteger("Binary", count_key, count_default));
  std::vector<std::string> lines;
  lines.reserve(count);
  for (uint16_t i = 0; i < count; ++i) lines.push_back(ini.ReadString("Binary", prefix + std::to_string(i), ""));
  return lines;
}

void LoadMainForm(TMainForm& form, const IniFile& ini) {
  const char* s = "MainForm";
  const int top = ini.ReadInteger(s, "Top", 0);
  const int left = ini.ReadInteger(s, "Left", 0);
  const int height = ini.ReadInteger(s, "Height", 0);
  form.Form.SetBounds(left, top, form.Form.Width(), height);
  form.BrowserPanelWidth = ini.ReadInteger(s, "Width", 600);
  form.DebugEnabled = ini.ReadBool(s, "DebugEnabled", true);
  form.robot_controls.cbBetOnRobotWorkTime.SetChecked(ini.ReadBool(s, "RobotWorkTime", false));
  form.robot_controls.cbeBetOnWorkStart.SetItemIndex(ini.ReadInteger(s, "WorkStart", 0));
  form.robot_controls.cbeBetOnWorkEnd.SetItemIndex(ini.ReadInteger(s, "WorkEnd", 0));
  form.DebugWindowBounds.top = ini.ReadInteger(s, "fmDebug_Top", 0);
  form.DebugWindowBounds.left = ini.ReadInteger(s, "fmDebug_Left", 0);
  form.DebugWindowBounds.width = ini.ReadInteger(s, "fmDebug_Width", 0);
  form.DebugWindowBounds.height = ini.ReadInteger(s, "fmDebug_Height", 0);
  form.Mute = ini.ReadBool(s, "Mute", false);
  form.LogoIndex = static_cast<uint8_t>(ini.ReadInteger(s, "LogoIndex", 0));
}

void LoadAlpari(TMainForm& form, const IniFile& ini) {
  const char* s = "Alpari";
  form.cbAlpariSeek.SetChecked(ini.ReadBool(s, "AlpariSeek", false));
  form.terminal.TerminalControl = form.cbAlpariSeek.Checked();
  form.terminal.AlpariHardUpdate = ini.ReadBool(s, "AlpariHardUpdate", false);
  form.terminal.TerminalPageName =
      TerminalClassFromSettings(ini.ReadString(s, "TerminalPageName", kDefaultTerminalClass));
  // The arrow search holds templates of at most 32 x 16 cells.
  const int width = std::clamp(ini.ReadInteger(s, "ArrowSizeX", 10), 1, ArrowScanner::kMaxTemplateWidth);
  const int height = std::clamp(ini.ReadInteger(s, "ArrowSizeY", 8), 1, ArrowScanner::kMaxTemplateHeight);
  form.terminal.imUp.SetSize(width, height);
  form.terminal.imDown.SetSize(width, height);
}

void LoadBinary(TMainForm& form, const IniFile& ini) {
  const char* s = "Binary";
  form.robot.GreedPorog = static_cast<uint8_t>(ini.ReadInteger(s, "GreedPorog", 0));
  form.site.LoadPictures = ini.ReadBool(s, "LoadPictures", true);
  form.platform.browser.SetLoadPictures(form.site.LoadPictures);
  form.LoginIndexFromSettings = ini.ReadInteger(s, "Login", 0);
  form.robot_controls.neMinBalans.SetValue(ini.ReadInteger(s, "MinBalans", 0));
  form.site.MainUrl = ini.ReadString(s, "MainUrl", kDefaultMainUrl);
  form.site.ReturnUrl = ini.ReadString(s, "ReturnUrl", kDefaultReturnUrl);
  form.site.LogOutUrl = ini.ReadString(s, "LogOutUrl", kDefaultLogOutUrl);
  form.site.PortFolioUrl = ini.ReadString(s, "PortFolioUrl", kDefaultPortFolioUrl);
  form.robot.QuickReaction = ini.ReadBool(s, "QuickReaction", true);
  // A negative age makes no sense: it reads as the default.
  const int32_t lifetime = ini.ReadInteger(s, "SignalLifetime", 60);
  form.robot.SignalLifetime = lifetime >= 0 ? lifetime : 60;
  form.robot.RobotPauseType = static_cast<uint16_t>(ini.ReadInteger(s, "RobotMode", 100));
  form.robot.SavedStake = ini.ReadInteger(s, "RobotLastBet", 3);
  form.robot.SavedBetCount = static_cast<uint16_t>(ini.ReadInteger(s, "RobotBetCount", 0));
  form.robot.SavedGameCount = static_cast<uint16_t>(ini.ReadInteger(s, "RobotGameCount", 0));
  form.site.PageFieldTemplates = ReadTable(ini, "PageFieldCount", 71, "PageField_");
  // The fifth letter of this key is the Cyrillic Es, as existing files spell it.
  form.site.PageControlTemplates = ReadTable(ini, "PageСontrolsCount", 30, "PageControl_");
  form.site.PageNames = ReadTable(ini, "PageNamesCount", 21, "PageName_");
}

void LoadStrategies(TMainForm& form, const IniFile& ini) {
  for (size_t i = 0; i < StrategyPages::kStrategyCount; ++i) {
    const StrategyRow* row = StrategyOfPage(static_cast<uint8_t>(i));
    const std::string s = RobotSection(i);
    const std::string name = ini.ReadString(s, "Name", row != nullptr ? row->name : "");
    form.strategies.pcStrategy.SetPageCaption(static_cast<int>(i), name);
    form.strategies.pcStrategy.SetPageEnabled(static_cast<int>(i), !Trim(name).empty());
    if (ini.ReadBool(s, "Down", row != nullptr && row->shown_by_default))
      form.strategies.pcStrategy.SetActivePageIndex(static_cast<int>(i));
    if (row == nullptr) continue;
    for (const StrategyKey& key : row->keys) {
      const int32_t value = ini.ReadInteger(s, key.key, key.default_value);
      std::visit(
          [&](auto member) {
            auto& control = form.strategies.*member;
            if constexpr (std::is_same_v<std::decay_t<decltype(control)>, ui::CheckBox>) {
              control.SetChecked(value != 0);
              if (control.onClick) control.onClick();
            } else {
              control.SetValue(value);
            }
          },
          key.control);
    }
  }
}

void LoadLangPack(TMainForm& form, const IniFile& ini) {
  for (int i = 0; i < TLangPack::kSize; ++i)
    form.LangPack.SetText(i, ini.ReadString("LangPack", "TXT_" + std::to_string(i), ""));
}

void SaveMainForm(const TMainForm& form, IniFile& ini) {
  const char* s = "MainForm";
  ini.WriteInteger(s, "Top", form.Form.Top());
  ini.WriteInteger(s, "Left", form.Form.Left());
  ini.WriteInteger(s, "Height", form.Form.Height());
  ini.WriteInteger(s, "Width", form.BrowserPanelWidth);
  ini.WriteBool(s, "DebugEnabled", form.DebugEnabled);
  ini.WriteBool(s, "RobotWorkTime", form.robot_controls.cbBetOnRobotWorkTime.Checked());
  ini.WriteInteger(s, "WorkStart", form.robot_controls.cbeBetOnWorkStart.ItemIndex());
  ini.WriteInteger(s, "WorkEnd", form.robot_controls.cbeBetOnWorkEnd.ItemIndex());
  const WindowBounds& debug = form.fmDebug.StoredBounds();
  ini.WriteInteger(s, "fmDebug_Top", debug.top);
  ini.WriteInteger(s, "fmDebug_Left", debug.left);
  ini.WriteInteger(s, "fmDebug_Width", debug.width);
  ini.WriteInteger(s, "fmDebug_Height", debug.height);
  ini.WriteBool(s, "Mute", form.Mute);
  ini.WriteInteger(s, "LogoIndex", form.LogoIndex);
}

void SaveAlpari(const TMainForm& form, IniFile& ini) {
  const char* s = "Alpari";
  ini.WriteBool(s, "AlpariSeek", form.cbAlpariSeek.Checked());
  ini.WriteBool(s, "AlpariHardUpdate", form.terminal.AlpariHardUpdate);
  ini.WriteString(s, "TerminalPageName", form.terminal.TerminalPageName);
  ini.WriteInteger(s, "ArrowSizeX", form.terminal.imUp.Width());
  ini.WriteInteger(s, "ArrowSizeY", form.terminal.imUp.Height());
}

void SaveBinary(const TMainForm& form, IniFile& ini) {
  const char* s = "Binary";
  ini.WriteString(s, "Language", "");
  ini.WriteInteger(s, "GreedPorog", form.robot.GreedPorog);
  // A run without pictures, set by hand in the file, lasts for one run only.
  ini.WriteBool(s, "LoadPictures", true);
  ini.WriteInteger(s, "Login", form.account.cbeLogin.ItemIndex());
  ini.WriteInteger(s, "MinBalans", RoundHalfEvenTo<int32_t>(form.robot_controls.neMinBalans.Value()));
  ini.WriteString(s, "MainUrl", form.site.MainUrl);
  ini.WriteString(s, "ReturnUrl", form.site.ReturnUrl);
  ini.WriteString(s, "LogOutUrl", form.site.LogOutUrl);
  ini.WriteString(s, "PortFolioUrl", form.site.PortFolioUrl);
  // A value still as it was read (the robot has not run since) already holds
  // its strategy in the hundreds: written back as it is, so a saved chain
  // survives a start without a run and the value does not grow by 100 a start.
  const int robot_mode = form.robot.RobotPauseType >= 100
                             ? form.robot.RobotPauseType
                             : ((form.StrategyIndex() + 1) * 100 + form.robot.RobotPauseType) % 65536;
  ini.WriteInteger(s, "RobotMode", robot_mode);
  ini.WriteInteger(s, "RobotLastBet", form.robot.SavedStake);
  ini.WriteInteger(s, "RobotBetCount", form.robot.SavedBetCount);
  ini.WriteInteger(s, "RobotGameCount", form.robot.SavedGameCount);
  ini.WriteBool(s, "QuickReaction", form.robot.QuickReaction);
  ini.WriteInteger(s, "SignalLifetime", form.robot.SignalLifetime);
}

void SaveStrategies(const TMainForm& form, IniFile& ini) {
  for (size_t i = 0; i < StrategyPages::kStrategyCount; ++i) {
    const StrategyRow* row = StrategyOfPage(static_cast<uint8_t>(i));
    const std::string s = RobotSection(i);
    ini.WriteString(s, "Name", form.strategies.pcStrategy.PageCaption(static_cast<int>(i)));
    ini.WriteBool(s, "Down", form.StrategyIndex() == i);
    if (row == nullptr) continue;
    for (const StrategyKey& key : row->keys) {
      std::visit(
          [&](auto member) {
            const auto& control = form.strategies.*member;
            using Control = std::decay_t<decltype(control)>;
            if constexpr (std::is_same_v<Control, ui::CheckBox>)
              ini.WriteBool(s, key.key, control.Checked());
            else if constexpr (std::is_same_v<Control, ui::NumberEdit>)
              ini.WriteInteger(s, key.key, RoundHalfEvenTo<int32_t>(control.Value()));
            else
              ini.WriteInteger(s, key.key, control.Value());
          },
          key.control);
    }
  }
}

}  // namespace

void LoadSettings(TMainForm& form, const IniFile& ini) {
  LoadMainForm(form, ini);
  LoadAlpari(form, ini);
  LoadBinary(form, ini);
  LoadStrategies(form, ini);
  LoadLangPack(form, ini);
}

void SaveSettings(const TMainForm& form, IniFile& ini) {
  SaveMainForm(form, ini);
  SaveAlpari(form, ini);
  SaveBinary(form, ini);
  SaveStrategies(form, ini);
}

}  // namespace vantrope
