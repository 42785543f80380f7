// One field of the parsed page, which is also the form of a page template,
// and the one-line text form of it kept in the settings file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrope {

// Kinds of page field. A template may carry any other value.
inline constexpr uint8_t kKindForm = 0;
inline constexpr uint8_t kKindLink = 1;
inline constexpr uint8_t kKindText = 2;
inline constexpr uint8_t kKindTable = 3;
inline constexpr uint8_t kKindTabHeader = 4;
inline constexpr uint8_t kKindDiv = 5;

struct TCatField {
  uint8_t Kind = kKindForm;
  // ID, Ftype and Ftext hold only what code page 1251 can, as the settings
  // texts they are compared with do; Fsubdata holds any text.
  std::string ID;
  std::string Ftype;
  std::string Ftext;
  std::string Fsubdata;
  // One mode each for Kind, ID, Ftype, Ftext and Fsubdata.
  std::array<uint8_t, 5> MatchModes{};
  uint8_t PageNo = 0;

  bool operator==(const TCatField&) const = default;
};

// "FORM", "LINK", "TEXT", "TABLE", "TAB_HEADER", "DIV"; "<7>" for a kind
// without a name.
std::string KindName(uint8_t kind);

// A field text read as a number: an optionally signed decimal integer that
// fits in 32 bits, 0 for any other text.
int32_t IntegerOrZero(std::string_view text);

// Reads the one-line form "PP<abcde><K><ID><Ftype><Ftext><Fsubdata>" into
// `field`. What the line does not reach keeps its previous value; a line
// shorter than 12 characters, or without "<", changes nothing.
void SrtToFieldData(std::string_view line, TCatField& field);

// Writes the one-line form with page "00" and the texts trimmed; Fsubdata is
// cut to what is left of 248 characters after the part of the line before it.
std::string FieldDataToStr(const TCatField& field);

}  // namespace vantrope
