// The settings file that ships with the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "settings/ini_file.h"

namespace vantrope {
namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every language-pack number the program's code asks for: by number, or by
// the name a file gives it (txBetTimedOut = 174).
std::set<int> TextNumbersUsedByCode() {
  const std::regex use(R"(\bTxt\((\d+)\)|\btx[A-Z]\w* = (\d+))");
  std::set<int> numbers;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(VANTROPE_SOURCE_DIR "/src")) {
    if (!entry.is_regular_file()) continue;
    const std::string text = ReadText(entry.path());
    for (std::sregex_iterator it(text.begin(), text.end(), use), end; it != end; ++it)
      numbers.insert(std::stoi((*it)[1].matched ? (*it)[1].str() : (*it)[2].str()));
  }
  return numbers;
}

TEST(ShippedSettingsTest, EveryTextTheCodeUsesIsInThePack) {
  const IniFile ini(VANTROPE_SHIPPED_INI);
  const std::set<int> used = TextNumbersUsedByCode();
  ASSERT_GT(used.size(), 50u) << "the scan of the sources found too little";
  for (int number : used)
    EXPECT_FALSE(ini.ReadString("LangPack", "TXT_" + std::to_string(number), "").empty())
        << "TXT_" << number << " has no text in the shipped language pack";
}

TEST(ShippedSettingsTest, DefaultsPointAtTheDemoBroker) {
  const IniFile ini(VANTROPE_SHIPPED_INI);
  EXPECT_EQ(ini.ReadString("Binary", "MainUrl", ""), "http://127.0.0.1:8470/d/contact.cgi?l=EN");
  EXPECT_EQ(ini.ReadString("Binary", "PortFolioUrl", ""), "http://localhost:8470/d/portfolio.cgi?l=EN");
  EXPECT_EQ(ini.ReadString("Robot1", "Name", ""), "Мартингейл");
  EXPECT_EQ(ini.ReadString("Robot5", "Name", "unset"), "");
  EXPECT_EQ(ini.ReadInteger("Binary", "RobotMode", 0), 100);
}

}  // namespace
}  // namespace vantrope
