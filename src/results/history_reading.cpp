#include "results/history_reading.h"

#include <bit>
#include <cmath>
#include <fstream>
#include <iterator>

namespace vantrope {

namespace {

// Date-times between 1900 and 9999; 0 stands for a bet whose time was never set.
constexpr double kLatestTime = 2958465.0;

double DoubleAt(const uint8_t* at) {
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(at[i]) << (8 * i);
  return std::bit_cast<double>(bits);
}

int32_t IntAt(const uint8_t* at) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(at[i]) << (8 * i);
  return static_cast<int32_t>(bits);
}

// What the program writes: a result and a direction of 1 or 2, a known
// strategy, strings no longer than their fields, finite balances.
bool IsBetRecord(const uint8_t* b) {
  const double time = DoubleAt(b);
  const int32_t direction = IntAt(b + 76);
  return std::isfinite(time) && time >= 0 && time <= kLatestTime && b[8] == 0 && b[9] <= 16 && b[48] <= 3 &&
         (b[52] == 1 || b[52] == 2) && b[53] <= 9 && b[63] <= 6 && b[70] <= 6 && (direction == 1 || direction == 2) &&
         std::isfinite(DoubleAt(b + 32)) && std::isfinite(DoubleAt(b + 40));
}

}  // namespace

// Junk in the middle of the file shifts the records behind it: the reading
// goes on at the next byte where a record reads as a bet.
HistoryContents ParseHistoryBytes(const std::string& bytes) {
  HistoryContents contents;
  contents.opened = true;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  size_t at = 0;
  while (at + kHistoryRecordSize <= bytes.size()) {
    if (IsBetRecord(data + at)) {
      contents.records.push_back(DecodeHistoryRecord(data + at));
      at += kHistoryRecordSize;
    } else {
      ++contents.unread_bytes;
      ++at;
    }
  }
  contents.unread_bytes += bytes.size() - at;
  return contents;
}

HistoryContents ReadHistoryContents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return ParseHistoryBytes(std::string(std::istreambuf_iterator<char>(in), {}));
}

}  // namespace vantrope
