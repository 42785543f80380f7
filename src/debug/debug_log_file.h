// The debug log file "$$$.log": text in code page 1251, appended across runs,
// each run framed by a start and an end banner. A robot left running for
// months must not fill the disk: a line that would take the file past its
// size limit first closes the file with the end banner and keeps it as
// "$$$.log.1" (one previous file is kept); a new file starts with the start
// banner.
#pragma once

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

namespace vantrope {

inline constexpr const char* kDebugLogFileName = "$$$.log";

class DebugLogFile {
 public:
  static constexpr uintmax_t kSizeLimit = 50 * 1024 * 1024;

  explicit DebugLogFile(uintmax_t size_limit = kSizeLimit) : size_limit_(size_limit) {}

  // Opens the file for appending, creating it when needed, and writes the
  // start banner. The error text, naming the file, when it cannot be written.
  std::optional<std::string> Open(const std::string& path, const std::string& start_banner,
                                  const std::string& end_banner);
  // Writes one line; the error text when the line could not be written, after
  // which the file is closed so that one fault is reported once.
  std::optional<std::string> WriteLine(const std::string& utf8_line);
  // Writes the end banner and closes the file.
  std::optional<std::string> Close();

 private:
  std::optional<std::string> StartFile();
  std::optional<std::string> Append(const std::string& bytes);
  std::optional<std::string> Rotate();
  std::optional<std::string> KeepAsPrevious();

  uintmax_t size_limit_;
  std::string path_;
  // Code page bytes with their line ends; the end banner is followed by an empty line.
  std::string start_banner_;
  std::string end_banner_;
  std::ofstream out_;
  uintmax_t size_ = 0;
};

}  // namespace vantrope
