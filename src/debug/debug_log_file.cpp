#include "debug/debug_log_file.h"

#include <filesystem>

#include "text/cp1251.h"

namespace vantrope {

std::optional<std::string> DebugLogFile::Open(const std::string& path, const std::string& start_banner,
                                              const std::string& end_banner) {
  path_ = path;
  start_banner_ = Utf8ToCp1251(start_banner) + "\r\n";
  end_banner_ = Utf8ToCp1251(end_banner) + "\r\n\r\n";
  std::error_code error;
  size_ = std::filesystem::file_size(path, error);
  if (error) size_ = 0;
  // The earlier runs, each framed already, leave no room for this run's banners.
  if (size_ > 0 && size_ + start_banner_.size() + end_banner_.size() > size_limit_) {
    if (auto fault = KeepAsPrevious()) return fault;
  }
  return StartFile();
}

std::optional<std::string> DebugLogFile::WriteLine(const std::string& utf8_line) {
  if (!out_.is_open()) return std::nullopt;
  const std::string line = Utf8ToCp1251(utf8_line) + "\r\n";
  // The end banner must still fit; a file of nothing but its start banner
  // takes even a line that is too long.
  if (size_ + line.size() + end_banner_.size() > size_limit_ && size_ > start_banner_.size()) {
    if (auto fault = Rotate()) return fault;
  }
  return Append(line);
}

std::optional<std::string> DebugLogFile::Close() {
  if (!out_.is_open()) return std::nullopt;
  auto fault = Append(end_banner_);
  if (out_.is_open()) out_.close();
  return fault;
}

std::optional<std::string> DebugLogFile::StartFile() {
  out_.open(path_, std::ios::binary | std::ios::app);
  if (!out_) return "Unable to write to " + path_;
  return Append(start_banner_);
}

std::optional<std::string> DebugLogFile::Append(const std::string& bytes) {
  out_ << bytes;
  // Flushed line by line: the file is what is left to read after a crash.
  out_.flush();
  if (!out_) {
    out_.close();
    return "Unable to write to " + path_;
  }
  size_ += bytes.size();
  return std::nullopt;
}

std::optional<std::string> DebugLogFile::Rotate() {
  if (auto fault = Append(end_banner_)) return fault;
  out_.close();
  if (auto fault = KeepAsPrevious()) return fault;
  return StartFile();
}

// Replaces the previous file, if there is one.
std::optional<std::string> DebugLogFile::KeepAsPrevious() {
  std::error_code error;
  std::filesystem::rename(path_, path_ + ".1", error);
  if (error) return "Unable to write to " + path_ + ".1";
  size_ = 0;
  return std::nullopt;
}

}  // namespace vantrope
