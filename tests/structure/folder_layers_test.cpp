// The folders of src/ are layers: a folder includes only folders below it,
// so the dependencies run one way, and only the adapter folders include a
// platform's headers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace vantrope {
namespace {

namespace fs = std::filesystem;

// The folders of src/, lowest layer first. A new folder has to be put here,
// in the layer its includes allow.
const std::vector<std::vector<std::string>> kLayers = {
    {"text", "ui"},                      // text helpers and vocabulary types
    {"desktop", "event", "settings"},    // the desktop's ports, the event record, the settings file
    {"log"},                             // the event log and the history file
    {"site", "terminal", "results"},     // the broker's site, the trading terminal, the results of bets
    {"strategy"},                        // the money-management strategies, plain objects
    {"engine"},                          // bet cycle, strategy step, run control
    {"debug", "lab"},                    // the debug window, the strategy lab
    {"app"},                             // the main window
    {"site/webengine", "terminal/x11"},  // adapters
    {"app/qt"},                          // the Qt program
};
constexpr int kFirstAdapterLayer = 7;

const std::map<std::string, int>& Layers() {
  static const std::map<std::string, int> layers = [] {
    std::map<std::string, int> by_folder;
    for (size_t layer = 0; layer < kLayers.size(); ++layer)
      for (const std::string& folder : kLayers[layer]) by_folder[folder] = static_cast<int>(layer);
    return by_folder;
  }();
  return layers;
}

bool IsAdapter(const std::string& folder) { return Layers().at(folder) >= kFirstAdapterLayer; }

struct Include {
  std::string file;
  std::string header;
};

// The includes of every source file, by the folder of the file.
std::map<std::string, std::vector<Include>> IncludesByFolder(const fs::path& src) {
  std::map<std::string, std::vector<Include>> includes;
  const std::regex include_line(R"(^\s*#\s*include\s*([<"])([^">]+)[">])");
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
    const std::string file = fs::relative(entry.path(), src).generic_string();
    const std::string folder = fs::path(file).parent_path().generic_string();
    std::ifstream in(entry.path());
    std::string line;
    std::smatch match;
    while (std::getline(in, line))
      if (std::regex_search(line, match, include_line))
        includes[folder].push_back({file, match[1].str() + match[2].str() + (match[1] == "<" ? ">" : "\"")});
  }
  return includes;
}

std::string FolderOf(const std::string& quoted_header) {
  return fs::path(quoted_header.substr(1, quoted_header.size() - 2)).parent_path().generic_string();
}

class FolderLayers : public ::testing::Test {
 protected:
  const fs::path src = fs::path(VANTROPE_SOURCE_DIR) / "src";
  const std::map<std::string, std::vector<Include>> includes = IncludesByFolder(src);
};

TEST_F(FolderLayers, EveryFolderHasItsLayer) {
  for (const auto& [folder, _] : includes) EXPECT_EQ(Layers().count(folder), 1u) << folder << " has no layer";
}

TEST_F(FolderLayers, FoldersIncludeOnlyFoldersBelowThem) {
  for (const auto& [folder, lines] : includes) {
    if (!Layers().count(folder)) continue;
    for (const Include& include : lines) {
      if (include.header[0] != '"') continue;
      const std::string target = FolderOf(include.header);
      if (target == folder) continue;
      ASSERT_EQ(Layers().count(target), 1u) << include.file << " includes " << include.header;
      EXPECT_LT(Layers().at(target), Layers().at(folder))
          << include.file << " includes " << include.header << ": " << folder << " must not depend on " << target;
    }
  }
}

TEST_F(FolderLayers, OnlyAdaptersIncludePlatformHeaders) {
  const std::regex platform_header(R"(^<(Q[A-Za-z]*|X11/.*|windows\.h)>$)");
  for (const auto& [folder, lines] : includes) {
    if (!Layers().count(folder) || IsAdapter(folder)) continue;
    for (const Include& include : lines)
      EXPECT_FALSE(std::regex_match(include.header, platform_header)) << include.file << " includes " << include.header;
  }
}

}  // namespace
}  // namespace vantrope
