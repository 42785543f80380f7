#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vantrope {

class IniWriteError : public std::runtime_error {
 public:
  using runtime_error::runtime_error;
};

// One INI file in code page 1251, held in memory and read and written with
// the rules of the Windows private-profile functions. Names and values are
// UTF-8 at this interface. Every line the program does not write is saved
// byte for byte as it was loaded, line ending included.
class IniFile {
 public:
  // Loads the file if it exists; a missing file is empty.
  explicit IniFile(std::string path);

  const std::string& Path() const;
  // The file is there but could not be read: it reads as empty, and saving
  // over it, which would lose all it holds, is refused.
  bool Unreadable() const { return unreadable_; }

  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  // Throw std::invalid_argument for a section or key name that could not be
  // read back as written. Line breaks in a value become blanks.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // Replaces the file as a whole, durably, or, on any failure, leaves it
  // untouched and throws IniWriteError("Unable to write to " + path).
  void Save() const;

 private:
  struct Line {
    std::string text;    // code page 1251 bytes
    std::string ending;  // "\r\n", "\n", "\r", or empty on a last line without one
  };

  void Load();
  std::optional<size_t> FindSection(std::string_view name) const;
  size_t SectionEnd(size_t header) const;
  std::optional<size_t> FindKey(size_t header, std::string_view key) const;
  std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;
  void InsertLine(size_t index, std::string text);
  void AppendSection(std::string header, std::string key_line);

  std::string path_;
  std::vector<Line> lines_;
  std::string newline_;
  bool unreadable_ = false;
};

}  // namespace vantrope
