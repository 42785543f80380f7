#include "debug/debug_log_file.h"

#include "text/cp1251.h"

namespace vantrope {

std::optional<std::string> DebugLogFile::Open(const std::string& path) {
  path_ = path;
  out_.open(path, std::ios::binary | std::ios::app);
  if (!out_) return "Unable to write to " + path;
  return std::nullopt;
}

std::optional<std::string> DebugLogFile::WriteLine(const std::string& utf8_line) {
  if (!out_.is_open()) return std::nullopt;
  out_ << Utf8ToCp1251(utf8_line) << "\r\n";
  // Flushed line by line: the file is what is left to read after a crash.
  out_.flush();
  if (out_) return std::nullopt;
  out_.close();
  return "Unable to write to " + path_;
}

void DebugLogFile::Close() {
  if (out_.is_open()) out_.close();
}

}  // namespace vantrope
