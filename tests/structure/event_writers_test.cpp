// The event record changes only through the named functions of event/: a
// field assigned anywhere else would have a second, unnamed writer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace vantrope {
namespace {

namespace fs = std::filesystem;

TEST(EventWriters, NoFieldOfTheEventRecordIsAssignedOutsideEvent) {
  const std::regex assignment(
      R"(\bEVENT\.(NewSignal|Direction|SignalTime|ValuteChanged|Valute|PeriodChanged|Period|PeriodUnit|Result|BetStatus)\s*(=[^=]|\+\+|--|\+=|-=))");
  const fs::path src = fs::path(VANTROPE_SOURCE_DIR) / "src";
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".cpp" && ext != ".h") continue;
    if (fs::relative(entry.path(), src).begin()->string() == "event") continue;
    ++files;
    std::ifstream in(entry.path());
    std::string line;
    for (int number = 1; std::getline(in, line); ++number)
      EXPECT_FALSE(std::regex_search(line, assignment)) << entry.path().string() << ":" << number << ": " << line;
  }
  EXPECT_GT(files, 100) << "the sources were read";
}

}  // namespace
}  // namespace vantrope
