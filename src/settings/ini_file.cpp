#include "settings/ini_file.h"

#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <system_error>

#include "settings/durable_file.h"
#include "text/cp1251.h"

namespace vantrope {

namespace {

namespace fs = std::filesystem;

// The read buffer of the profile functions is 2048 bytes with the final zero.
constexpr size_t kMaxValueLength = 2047;

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool IsBlankLine(std::string_view line) { return TrimBlanks(line).empty(); }

// The name of a section header line; a header without its ']' runs to the
// end of the line.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view text = TrimBlanks(line);
  if (text.empty() || text.front() != '[') return std::nullopt;
  const std::string_view rest = text.substr(1);
  return TrimBlanks(rest.substr(0, rest.find(']')));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;  // everything after the first '='
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view text = TrimBlanks(line);
  if (text.empty() || text.front() == '[' || text.front() == ';') return std::nullopt;
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyLine{TrimBlanks(line.substr(0, equals)), line.substr(equals + 1)};
}

std::string_view DropEnclosingQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::optional<int32_t> ParseHex(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  uint32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return static_cast<int32_t>(value);  // 0xFFFFFFFF is -1, as a 32-bit register holds it
}

std::optional<int32_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // from_chars alone would also take a second sign.
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  const int64_t value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

std::optional<int32_t> ParseInteger(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ParseHex(text.substr(2));
  }
  return ParseDecimal(text);
}

// A name must read back as the same name from the line it is written to.
void CheckName(std::string_view name, bool is_key) {
  const bool valid = !name.empty() && name.find_first_of("]=\r\n") == std::string_view::npos &&
                     TrimBlanks(name).size() == name.size() &&
                     !(is_key && (name.front() == '[' || name.front() == ';'));
  if (!valid) {
    throw std::invalid_argument(std::string(is_key ? "Invalid key name: " : "Invalid section name: ") +
                                std::string(name));
  }
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) { Load(); }

const std::string& IniFile::Path() const { return path_; }

void IniFile::Load() {
  std::string content;
  std::error_code error;
  const fs::file_status status = fs::status(path_, error);
  if (error && status.type() != fs::file_type::not_found) {
    unreadable_ = true;
  } else if (fs::is_regular_file(status)) {
    if (auto bytes = ReadWholeFile(path_))
      content = std::move(*bytes);
    else
      unreadable_ = true;
  }
  // Anything else, a missing file, a folder or a pipe, reads as empty; Save
  // refuses a folder or a pipe.

  size_t position = 0;
  while (position < content.size()) {
    const size_t end = content.find_first_of("\r\n", position);
    if (end == std::string::npos) {
      lines_.push_back({content.substr(position), ""});
      break;
    }
    const size_t ending_length = content.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    lines_.push_back({content.substr(position, end - position), content.substr(end, ending_length)});
    if (newline_.empty()) newline_ = lines_.back().ending;
    position = end + ending_length;
  }
  if (newline_.empty()) newline_ = "\r\n";
}

std::optional<size_t> IniFile::FindSection(std::string_view name) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const auto section = SectionName(lines_[i].text);
    if (section && Cp1251EqualIgnoringCase(*section, name)) return i;
  }
  return std::nullopt;
}

size_t IniFile::SectionEnd(size_t header) const {
  size_t end = header + 1;
  while (end < lines_.size() && !SectionName(lines_[end].text)) ++end;
  return end;
}

std::optional<size_t> IniFile::FindKey(size_t header, std::string_view key) const {
  const size_t end = SectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    const auto line = ParseKeyLine(lines_[i].text);
    if (line && Cp1251EqualIgnoringCase(line->key, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniFile::ReadValue(std::string_view section, std::string_view key) const {
  const auto header = FindSection(Utf8ToCp1251(section));
  if (!header) return std::nullopt;
  const auto index = FindKey(*header, Utf8ToCp1251(key));
  if (!index) return std::nullopt;
  const std::string_view value = DropEnclosingQuotes(TrimBlanks(ParseKeyLine(lines_[*index].text)->value));
  return std::string(value.substr(0, kMaxValueLength));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  const auto value = ReadValue(section, key);
  return value ? Cp1251ToUtf8(*value) : std::string(def);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  const auto value = ReadValue(section, key);
  if (!value) return def;
  return ParseInteger(*value).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  CheckName(section, false);
  CheckName(key, true);
  std::string single_line(value);
  for (char& c : single_line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  const std::string section_name = Utf8ToCp1251(section);
  const std::string key_name = Utf8ToCp1251(key);
  std::string line = key_name + "=" + Utf8ToCp1251(single_line);

  const auto header = FindSection(section_name);
  if (!header) {
    AppendSection("[" + section_name + "]", std::move(line));
    return;
  }
  if (const auto index = FindKey(*header, key_name)) {
    lines_[*index].text = std::move(line);
    return;
  }
  // Trailing blank lines separate this section from the next one.
  size_t last_filled = *header;
  const size_t end = SectionEnd(*header);
  for (size_t i = *header + 1; i < end; ++i) {
    if (!IsBlankLine(lines_[i].text)) last_filled = i;
  }
  InsertLine(last_filled + 1, std::move(line));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::InsertLine(size_t index, std::string text) {
  // A last line without its line ending gets one, or the new line would join it.
  if (index > 0 && lines_[index - 1].ending.empty()) lines_[index - 1].ending = newline_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), Line{std::move(text), newline_});
}

void IniFile::AppendSection(std::string header, std::string key_line) {
  if (!lines_.empty() && !IsBlankLine(lines_.back().text)) InsertLine(lines_.size(), "");
  InsertLine(lines_.size(), std::move(header));
  InsertLine(lines_.size(), std::move(key_line));
}

void IniFile::Save() const {
  const IniWriteError failure("Unable to write to " + path_);
  if (unreadable_) throw failure;
  std::error_code error;

  // Write through a symbolic link instead of replacing the link.
  fs::path target = path_;
  if (fs::is_symlink(target, error)) {
    target = fs::canonical(target, error);
    if (error) throw failure;
  }
  const fs::file_status status = fs::status(target, error);
  const bool exists = status.type() != fs::file_type::not_found;
  if (error && exists) throw failure;
  // A read-only file stays unchanged, although its folder would allow replacing it.
  if (exists && (!fs::is_regular_file(status) || access(target.c_str(), W_OK) != 0)) throw failure;
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  if (access(folder.c_str(), W_OK | X_OK) != 0) throw failure;

  std::string content;
  for (const Line& line : lines_) content += line.text + line.ending;
  // A failure half-way never leaves a cut settings file behind.
  if (!ReplaceFileDurably(target, content, exists ? std::optional(status.permissions()) : std::nullopt)) throw failure;
}

}  // namespace vantrope
