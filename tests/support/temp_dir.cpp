#include "support/temp_dir.h"

#include <fstream>
#include <random>
#include <sstream>

namespace vantrope::testing {

TempWorkDir::TempWorkDir() : previous_(std::filesystem::current_path()) {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() / ("vantrope-test-" + std::to_string(random()));
  std::filesystem::create_directories(path_);
  std::filesystem::current_path(path_);
}

TempWorkDir::~TempWorkDir() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempWorkDir::WriteFile(const std::string& name, const std::string& bytes) const {
  std::ofstream out(path_ / name, std::ios::binary);
  out << bytes;
}

std::string TempWorkDir::ReadFile(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace vantrope::testing
