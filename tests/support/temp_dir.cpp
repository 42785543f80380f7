#include "support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace vantrope::testing {

namespace {

// In memory where the system offers it: the robot syncs its bet journal at
// every change, and on a disk those syncs would make the scenarios slow.
std::filesystem::path TestFolderRoot() {
  const std::filesystem::path memory = "/dev/shm";
  std::error_code error;
  if (std::getenv("TMPDIR") == nullptr && std::filesystem::is_directory(memory, error)) return memory;
  return std::filesystem::temp_directory_path();
}

}  // namespace

TempWorkDir::TempWorkDir() : previous_(std::filesystem::current_path()) {
  std::random_device random;
  path_ = TestFolderRoot() / ("vantrope-test-" + std::to_string(random()));
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
