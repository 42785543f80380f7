#include "settings/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "support/refused_calls.h"
#include "support/temp_dir.h"

namespace vantrope {
namespace {

namespace fs = std::filesystem;

// Works in a fresh current folder, so paths are relative as in the program.
class IniFileTest : public ::testing::Test {
 protected:
  // Writes the settings file with exactly these bytes and returns its path.
  std::string WriteIni(const std::string& bytes) const {
    dir_.WriteFile("Vantrope.ini", bytes);
    return "Vantrope.ini";
  }

  static std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  long FilesInFolder() const {
    return std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator());
  }

  // Loads `bytes`, applies `edit`, saves and returns the bytes on disk.
  template <typename Edit>
  std::string EditAndSave(const std::string& bytes, Edit edit) const {
    IniFile ini(WriteIni(bytes));
    edit(ini);
    ini.Save();
    return ReadBytes(ini.Path());
  }

  testing::TempWorkDir dir_;
};

// --- Reading ---

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
  const IniFile missing("none.ini");
  EXPECT_EQ(missing.ReadString("MainForm", "Top", "dflt"), "dflt");
  EXPECT_EQ(missing.ReadInteger("MainForm", "Top", 7), 7);
  EXPECT_TRUE(missing.ReadBool("MainForm", "Mute", true));

  const IniFile ini(WriteIni("[MainForm]\r\nTop=5\r\nEmpty=\r\n"));
  EXPECT_EQ(ini.ReadString("Alpari", "Top", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("MainForm", "Left", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("MainForm", "Empty", "dflt"), "");
  EXPECT_EQ(ini.ReadInteger("MainForm", "Empty", 3), 3);
}

TEST_F(IniFileTest, FolderInPlaceOfTheFileReadsAsEmpty) {
  fs::create_directory("Vantrope.ini");
  const IniFile ini("Vantrope.ini");
  EXPECT_EQ(ini.ReadString("MainForm", "Top", "dflt"), "dflt");
  EXPECT_FALSE(ini.Unreadable()) << "it holds no settings to lose";
}

// Saving the empty file it reads as would lose everything the file holds.
TEST_F(IniFileTest, FileThatCannotBeReadIsToldAndNeverSavedOver) {
  EXPECT_FALSE(IniFile("none.ini").Unreadable()) << "a missing file is a new one";
  const std::string path = WriteIni("[MainForm]\r\nTop=5\r\n");
  std::optional<IniFile> ini;
  testing::RunRefusing(testing::Refusal::kReadingOpens, [&] { ini.emplace(path); });
  EXPECT_TRUE(ini->Unreadable());
  EXPECT_EQ(ini->ReadInteger("MainForm", "Top", 0), 0);
  ini->WriteInteger("MainForm", "Left", 1);
  EXPECT_THROW(ini->Save(), IniWriteError);
  EXPECT_EQ(ReadBytes(path), "[MainForm]\r\nTop=5\r\n");
}

TEST_F(IniFileTest, NamesCompareWithoutRegardToCase) {
  const IniFile ini(WriteIni(
      "[MainForm]\r\nDebugEnabled=1\r\n"
      "[\xD0\xE0\xE7\xE4\xE5\xEB]\r\n"      // [Раздел]
      "\xCA\xEB\xFE\xF7=\xE4\xE0\r\n"       // Ключ=да
      "\xB8\xEB\xEA\xE0=2\r\n"));           // ёлка=2
  EXPECT_EQ(ini.ReadString("MAINFORM", "debugenabled", ""), "1");
  EXPECT_EQ(ini.ReadString("РАЗДЕЛ", "ключ", ""), "да");
  EXPECT_EQ(ini.ReadString("раздел", "КЛЮЧ", ""), "да");
  EXPECT_EQ(ini.ReadInteger("Раздел", "ЁЛКА", 0), 2);
}

TEST_F(IniFileTest, CyrillicEsInAKeyIsNotLatinC) {
  const std::string cyrillic_key = "Page\xD1" "ontrolsCount";
  const IniFile both(WriteIni("[Binary]\r\n" + cyrillic_key + "=25\r\nPageControlsCount=99\r\n"));
  EXPECT_EQ(both.ReadInteger("Binary", "PageСontrolsCount", 30), 25);
  EXPECT_EQ(both.ReadInteger("Binary", "PageControlsCount", 30), 99);

  const IniFile latin_only(WriteIni("[Binary]\r\nPageControlsCount=99\r\n"));
  EXPECT_EQ(latin_only.ReadInteger("Binary", "PageСontrolsCount", 30), 30);

  const IniFile cyrillic_only(WriteIni("[Binary]\r\n" + cyrillic_key + "=25\r\n"));
  EXPECT_EQ(cyrillic_only.ReadInteger("Binary", "PageControlsCount", 30), 30);
  EXPECT_EQ(cyrillic_only.ReadInteger("Binary", "pageсontrolscount", 30), 25);
}

TEST_F(IniFileTest, BlanksAroundNamesAndValuesAreDropped) {
  const IniFile ini(WriteIni("  [ Binary ]  \r\n\t Login \t=\t 12 \t\r\n"));
  EXPECT_EQ(ini.ReadString("Binary", "Login", ""), "12");
}

TEST_F(IniFileTest, OnePairOfEnclosingQuotesIsDropped) {
  const IniFile ini(WriteIni(
      "[S]\r\n"
      "double=  \"two words\"  \r\n"
      "single='x'\r\n"
      "nested=\"\"x\"\"\r\n"
      "inner=\"a\"b\"\r\n"
      "mixed=\"x'\r\n"
      "lone=\"\r\n"
      "empty=\"\"\r\n"
      "spaced=\" padded \"\r\n"
      "equals=a=b\r\n"));
  EXPECT_EQ(ini.ReadString("S", "double", ""), "two words");
  EXPECT_EQ(ini.ReadString("S", "single", ""), "x");
  EXPECT_EQ(ini.ReadString("S", "nested", ""), "\"x\"");
  EXPECT_EQ(ini.ReadString("S", "inner", ""), "a\"b");
  EXPECT_EQ(ini.ReadString("S", "mixed", ""), "\"x'");
  EXPECT_EQ(ini.ReadString("S", "lone", ""), "\"");
  EXPECT_EQ(ini.ReadString("S", "empty", "dflt"), "");
  EXPECT_EQ(ini.ReadString("S", "spaced", ""), " padded ");
  EXPECT_EQ(ini.ReadString("S", "equals", ""), "a=b");
}

TEST_F(IniFileTest, ValueIsCutTo2047Characters) {
  const IniFile ini(WriteIni("[S]\r\nlatin=" + std::string(3000, 'a') + "\r\n" +
                             "cyrillic=" + std::string(3000, '\xDF') + "\r\n" +
                             "exact=\"" + std::string(2047, 'b') + "\"\r\n"));
  EXPECT_EQ(ini.ReadString("S", "latin", ""), std::string(2047, 'a'));
  std::string cyrillic;
  for (int i = 0; i < 2047; ++i) cyrillic += "Я";
  EXPECT_EQ(ini.ReadString("S", "cyrillic", ""), cyrillic);
  EXPECT_EQ(ini.ReadString("S", "exact", ""), std::string(2047, 'b'));
}

TEST_F(IniFileTest, IntegersAreDecimalOrHexadecimal) {
  const std::pair<const char*, int32_t> cases[] = {
      {"12", 12},          {"-7", -7},          {"+7", 7},
      {"007", 7},          {" 42 ", 42},        {"\"42\"", 42},
      {"0x0C", 12},        {"0XfF", 255},       {"0xFFFFFFFF", -1},
      {"0x80000000", INT32_MIN},                {"0x7fffffff", INT32_MAX},
      {"2147483647", INT32_MAX},                {"-2147483648", INT32_MIN},
  };
  for (const auto& [text, expected] : cases) {
    const IniFile ini(WriteIni(std::string("[S]\r\nk=") + text + "\r\n"));
    EXPECT_EQ(ini.ReadInteger("S", "k", 10), expected) << text;
  }
}

TEST_F(IniFileTest, NonNumbersGiveTheDefault) {
  const char* cases[] = {"",     "12px", "1.5",  "2147483648", "-2147483649", "99999999999999999999999",
                         "0x",   "0xZZ", "0x1FFFFFFFF",        "0x-1",        "-0x5",
                         "+-5",  "--5",  "-",    "x12",        "1 2",         "0x1 2"};
  for (const char* text : cases) {
    const IniFile ini(WriteIni(std::string("[S]\r\nk=") + text + "\r\n"));
    EXPECT_EQ(ini.ReadInteger("S", "k", 10), 10) << '"' << text << '"';
  }
}

TEST_F(IniFileTest, BooleansAreIntegersWithNonZeroTrue) {
  const IniFile ini(WriteIni("[S]\r\nzero=0\r\none=1\r\ntwo=2\r\nminus=-1\r\nhex=0x0\r\nword=yes\r\n"));
  EXPECT_FALSE(ini.ReadBool("S", "zero", true));
  EXPECT_TRUE(ini.ReadBool("S", "one", false));
  EXPECT_TRUE(ini.ReadBool("S", "two", false));
  EXPECT_TRUE(ini.ReadBool("S", "minus", false));
  EXPECT_FALSE(ini.ReadBool("S", "hex", true));
  EXPECT_TRUE(ini.ReadBool("S", "word", true));
  EXPECT_FALSE(ini.ReadBool("S", "word", false));
  EXPECT_TRUE(ini.ReadBool("S", "missing", true));
}

TEST_F(IniFileTest, FirstSectionAndFirstKeyOfANameWin) {
  const IniFile ini(WriteIni(
      "[S]\r\nk=first\r\nK=second\r\n"
      "[s]\r\nk=other section\r\nonly=later section\r\n"));
  EXPECT_EQ(ini.ReadString("S", "k", ""), "first");
  EXPECT_EQ(ini.ReadString("S", "only", "dflt"), "dflt");
}

TEST_F(IniFileTest, CommentsAndLinesWithoutEqualsAreNoKeys) {
  const IniFile ini(WriteIni("[S]\r\n;k=commented\r\n  ;j=commented\r\nk\r\nj\r\n"));
  EXPECT_EQ(ini.ReadString("S", "k", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("S", ";k", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("S", "j", "dflt"), "dflt");
}

TEST_F(IniFileTest, KeysBelongToTheirOwnSectionOnly) {
  const IniFile ini(WriteIni("top=0\r\n[A]\r\na=1\r\n[Open\r\nb=2\r\n"));
  EXPECT_EQ(ini.ReadString("A", "top", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("A", "b", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("Open", "b", "dflt"), "2");
}

// --- Writing ---

TEST_F(IniFileTest, WritingAnExistingKeyKeepsEveryOtherByte) {
  const std::string before =
      "; Vantrope settings\r\n"
      "[MainForm]\r\n"
      "Top = 5 \r\n"
      "Unknown=keep me\n"
      "  ; indented comment\r\n"
      "\r\n"
      "[Binary]\r\n"
      "Top=9\r\n"
      "MainUrl=\"https://host/d/contact.cgi?l=EN\"";
  const std::string after = EditAndSave(before, [](IniFile& ini) {
    ini.WriteInteger("mainform", "top", -12);
    ini.WriteString("Binary", "MainUrl", "https://other/");
  });
  EXPECT_EQ(after,
            "; Vantrope settings\r\n"
            "[MainForm]\r\n"
            "top=-12\r\n"
            "Unknown=keep me\n"
            "  ; indented comment\r\n"
            "\r\n"
            "[Binary]\r\n"
            "Top=9\r\n"
            "MainUrl=https://other/");
}

TEST_F(IniFileTest, WritingADuplicatedKeyReplacesTheFirst) {
  const std::string after =
      EditAndSave("[S]\r\nk=1\r\nk=2\r\n", [](IniFile& ini) { ini.WriteString("S", "k", "3"); });
  EXPECT_EQ(after, "[S]\r\nk=3\r\nk=2\r\n");
}

TEST_F(IniFileTest, NewKeyGoesBeforeTheBlankLinesThatEndItsSection) {
  const std::string after = EditAndSave(
      "[A]\r\nx=1\r\n; note\r\n\r\n  \r\n[B]\r\ny=2\r\n", [](IniFile& ini) {
        ini.WriteInteger("A", "z", 3);
        ini.WriteInteger("B", "w", 4);
      });
  EXPECT_EQ(after, "[A]\r\nx=1\r\n; note\r\nz=3\r\n\r\n  \r\n[B]\r\ny=2\r\nw=4\r\n");
}

TEST_F(IniFileTest, NewKeyAfterALastLineWithoutLineEnding) {
  const std::string after =
      EditAndSave("[A]\nx=1", [](IniFile& ini) { ini.WriteString("A", "y", "2"); });
  EXPECT_EQ(after, "[A]\nx=1\ny=2\n");
}

TEST_F(IniFileTest, NewSectionIsAppendedAfterOneBlankLine) {
  EXPECT_EQ(EditAndSave("[A]\r\nx=1\r\n", [](IniFile& ini) { ini.WriteString("New", "k", "v"); }),
            "[A]\r\nx=1\r\n\r\n[New]\r\nk=v\r\n");
  EXPECT_EQ(EditAndSave("[A]\r\nx=1\r\n\r\n", [](IniFile& ini) { ini.WriteString("New", "k", "v"); }),
            "[A]\r\nx=1\r\n\r\n[New]\r\nk=v\r\n");
  EXPECT_EQ(EditAndSave("[A]\r\nx=1", [](IniFile& ini) { ini.WriteString("New", "k", "v"); }),
            "[A]\r\nx=1\r\n\r\n[New]\r\nk=v\r\n");
  EXPECT_EQ(EditAndSave("[A]\nx=1\r\n", [](IniFile& ini) { ini.WriteString("New", "k", "v"); }),
            "[A]\nx=1\r\n\n[New]\nk=v\n");
}

TEST_F(IniFileTest, NewFileIsCreatedWithCrLf) {
  IniFile ini("fresh.ini");
  ini.WriteInteger("MainForm", "Top", 1);
  ini.WriteBool("MainForm", "Mute", true);
  ini.WriteBool("Alpari", "AlpariSeek", false);
  ini.Save();
  EXPECT_EQ(ReadBytes("fresh.ini"),
            "[MainForm]\r\nTop=1\r\nMute=1\r\n\r\n[Alpari]\r\nAlpariSeek=0\r\n");
}

TEST_F(IniFileTest, WrittenValuesReadBackBeforeAndAfterSaving) {
  IniFile ini("fresh.ini");
  ini.WriteInteger("MainForm", "Height", INT32_MIN);
  ini.WriteBool("MainForm", "Mute", true);
  ini.WriteString("Robot0", "Name", "Простая ставка");
  EXPECT_EQ(ini.ReadInteger("MainForm", "Height", 0), INT32_MIN);
  ini.Save();

  const IniFile reloaded("fresh.ini");
  EXPECT_EQ(reloaded.ReadInteger("MainForm", "Height", 0), INT32_MIN);
  EXPECT_TRUE(reloaded.ReadBool("MainForm", "Mute", false));
  EXPECT_EQ(reloaded.ReadString("Robot0", "Name", ""), "Простая ставка");
}

TEST_F(IniFileTest, CyrillicIsStoredInCodePage1251) {
  IniFile ini("fresh.ini");
  ini.WriteString("Робот", "Имя", "Сила");
  ini.Save();
  const std::string bytes = ReadBytes("fresh.ini");
  EXPECT_EQ(bytes, "[\xD0\xEE\xE1\xEE\xF2]\r\n\xC8\xEC\xFF=\xD1\xE8\xEB\xE0\r\n");
  EXPECT_EQ(IniFile("fresh.ini").ReadString("робот", "ИМЯ", ""), "Сила");
}

TEST_F(IniFileTest, ValuesCannotInjectLines) {
  IniFile ini("fresh.ini");
  ini.WriteString("S", "k", "a\r\n[Evil]\r\nk=1\nz\r");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "a  [Evil]  k=1 z");
  EXPECT_EQ(ini.ReadString("Evil", "k", "dflt"), "dflt");
}

TEST_F(IniFileTest, NamesThatCannotBeReadBackAreRefused) {
  IniFile ini("fresh.ini");
  for (const char* section : {"", "a]b", "a=b", "a\nb", "a\rb", " a", "a\t"}) {
    EXPECT_THROW(ini.WriteString(section, "k", "v"), std::invalid_argument) << section;
  }
  for (const char* key : {"", "a]b", "a=b", "a\nb", "a\rb", " a", "a ", "[a", ";a"}) {
    EXPECT_THROW(ini.WriteString("S", key, "v"), std::invalid_argument) << key;
  }
  ini.Save();
  EXPECT_EQ(ReadBytes("fresh.ini"), "");
}

// --- Odd files ---

TEST_F(IniFileTest, JunkSurvivesUntouchedAndDoesNotDisturbReading) {
  const std::string junk =
      "; first line\r\n" + std::string("\0\xFF\x98[\0]=\x01\r", 9) + std::string(5000, 'j') + "\n";
  const std::string before = junk + "[S]\r\nlong=" + std::string(4000, '\xC0') + "\r\n" +
                             std::string("bin=\0x\x98", 7) + "\r\n=novalue\r\n]]]\r\n[";
  const std::string after = EditAndSave(before, [](IniFile& ini) {
    EXPECT_EQ(ini.ReadString("S", "long", "").size(), 2047u * 2);
    EXPECT_EQ(ini.ReadString("S", "bin", ""), std::string("\0x?", 3));
    ini.WriteString("S", "new", "1");
  });
  EXPECT_EQ(after, junk + "[S]\r\nlong=" + std::string(4000, '\xC0') + "\r\n" +
                       std::string("bin=\0x\x98", 7) + "\r\n=novalue\r\n]]]\r\nnew=1\r\n[");
}

TEST_F(IniFileTest, FileWithCrLineEndingsOnly) {
  const std::string after = EditAndSave("[A]\rx=1\ry=2", [](IniFile& ini) {
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 2);
    ini.WriteInteger("A", "z", 3);
  });
  EXPECT_EQ(after, "[A]\rx=1\ry=2\rz=3\r");
}

TEST_F(IniFileTest, LoadingAndSavingChangesNothing) {
  const std::string before = std::string("[A]\r\n\n\r\r\nx = \"1\" \n\0;\t", 20);
  EXPECT_EQ(EditAndSave(before, [](IniFile&) {}), before);
}

// --- Saving safely ---

TEST_F(IniFileTest, SavingOverAFolderThrowsAndChangesNothing) {
  const std::string path = "Vantrope.ini";
  fs::create_directory(path);
  std::ofstream(path + "/inside") << "kept";
  IniFile ini(path);
  ini.WriteString("S", "k", "v");
  try {
    ini.Save();
    FAIL() << "Save into a folder did not throw";
  } catch (const IniWriteError& error) {
    EXPECT_STREQ(error.what(), ("Unable to write to " + path).c_str());
  }
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(ReadBytes(path + "/inside"), "kept");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(IniFileTest, SavingIntoAMissingFolderThrows) {
  const std::string path = "missing/Vantrope.ini";
  IniFile ini(path);
  ini.WriteString("S", "k", "v");
  EXPECT_THROW(ini.Save(), IniWriteError);
  EXPECT_FALSE(fs::exists("missing"));
}

TEST_F(IniFileTest, SavingLeavesNoTemporaryFileAndKeepsPermissions) {
  const std::string path = WriteIni("[S]\r\nk=1\r\n");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  IniFile ini(path);
  ini.WriteString("S", "k", "2");
  ini.Save();
  EXPECT_EQ(ReadBytes(path), "[S]\r\nk=2\r\n");
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(IniFileTest, SavingThroughASymbolicLinkWritesItsTarget) {
  const std::string target = WriteIni("[S]\r\nk=1\r\n");
  const std::string link = "link.ini";
  fs::create_symlink(target, link);
  IniFile ini(link);
  ini.WriteString("S", "k", "2");
  ini.Save();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(target), "[S]\r\nk=2\r\n");
}

TEST_F(IniFileTest, ReadOnlyFileIsNotReplaced) {
  const std::string path = WriteIni("[S]\r\nk=1\r\n");
  fs::permissions(path, fs::perms::owner_read);
  if (access(path.c_str(), W_OK) == 0) GTEST_SKIP() << "this user may write any file";
  IniFile ini(path);
  ini.WriteString("S", "k", "2");
  EXPECT_THROW(ini.Save(), IniWriteError);
  EXPECT_EQ(ReadBytes(path), "[S]\r\nk=1\r\n");
}

TEST_F(IniFileTest, ReadOnlyFolderIsNotWritten) {
  const std::string folder = "locked";
  fs::create_directory(folder);
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  if (access(folder.c_str(), W_OK) == 0) GTEST_SKIP() << "this user may write any folder";
  IniFile ini(folder + "/Vantrope.ini");
  ini.WriteString("S", "k", "v");
  EXPECT_THROW(ini.Save(), IniWriteError);
  fs::permissions(folder, fs::perms::owner_all);
  EXPECT_TRUE(fs::is_empty(folder));
}

}  // namespace
}  // namespace vantrope
