// The debug log file "$$$.log": text in code page 1251, appended across runs,
// each run framed by a start and an end banner.
#pragma once

#include <fstream>
#include <optional>
#include <string>

namespace vantrope {

inline constexpr const char* kDebugLogFileName = "$$$.log";

class DebugLogFile {
 public:
  // Opens the file for appending, creating it when needed. The error text,
  // naming the file, when it cannot be opened.
  std::optional<std::string> Open(const std::string& path);
  bool IsOpen() const { return out_.is_open(); }
  // Writes one line; the error text when the line could not be written, after
  // which the file is closed so that one fault is reported once.
  std::optional<std::string> WriteLine(const std::string& utf8_line);
  void Close();

 private:
  std::string path_;
  std::ofstream out_;
};

}  // namespace vantrope
