#include "log/log_marks.h"

namespace vantrope {

namespace {

constexpr ui::Color kWhite = 16777215;
constexpr ui::Color kLightCyan = 16777162;    // #CAFFFF
constexpr ui::Color kLightGreen = 11599816;   // #C8FFB0
constexpr ui::Color kLightRed = 11579135;     // #FFAEB0
constexpr ui::Color kLightYellow = 12713983;  // #FFFFC1

constexpr const char* kBullet = "\u2022";
constexpr const char* kUpArrow = "\u21E7";
constexpr const char* kDownArrow = "\u21E9";
constexpr const char* kSkull = "\u2620";
constexpr const char* kCircle = "\u25CB";
constexpr const char* kEnvelope = "\u2709";

}  // namespace

LogLineLook LookOfLogType(uint8_t type) {
  switch (type) {
    case 1: return {kBullet, kLightCyan};
    case 2: return {kUpArrow, kLightGreen};
    case 3: return {kDownArrow, kLightRed};
    case 4: return {kSkull, kLightRed};
    case 5: return {kCircle, kLightGreen};
    case 6: return {kCircle, kLightRed};
    case 7:
    case 8: return {kEnvelope, kLightYellow};
    case 9: return {kBullet, kLightYellow};
    default: return {"", kWhite};
  }
}

const char* ExportPrefixOfLogType(int type) {
  switch (type) {
    case 1: return "- ";
    case 2:
    case 3: return "> ";
    case 4: return "! ";
    case 5:
    case 6:
    case 7:
    case 8: return "* ";
    default: return "  ";
  }
}

}  // namespace vantrope
