// A fresh, empty working folder for one test: the program names its files
// relative to the current directory, so the test changes into it.
#pragma once

#include <filesystem>
#include <string>

namespace vantrope::testing {

class TempWorkDir {
 public:
  TempWorkDir();
  ~TempWorkDir();
  TempWorkDir(const TempWorkDir&) = delete;
  TempWorkDir& operator=(const TempWorkDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Writes a file of raw bytes into the folder.
  void WriteFile(const std::string& name, const std::string& bytes) const;
  std::string ReadFile(const std::string& name) const;

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

}  // namespace vantrope::testing
