// The history file: one 112-byte record per finished bet, appended behind the
// last whole record.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrope {

inline constexpr const char* kHistoryFileName = "history.dat";
inline constexpr size_t kHistoryRecordSize = 112;

struct THistoryRecord {
  double Time = 0;
  std::string Account;   // at most 16 characters are kept
  double BalanceAtBet = 0;
  double BalanceAtResult = 0;
  std::string Currency;  // at most 3
  uint8_t Result = 0;    // 1 won, 2 lost
  std::string Pair;      // at most 9
  std::string Period;    // at most 6
  uint8_t Strategy = 0;
  int32_t Stake = 0;
  int32_t Direction = 0;
  std::array<int32_t, 8> Params{};

  bool operator==(const THistoryRecord&) const = default;
};

// The record's bytes: little-endian numbers, short strings in code page 1251
// (a length byte and the characters), padding zero.
std::array<uint8_t, kHistoryRecordSize> EncodeHistoryRecord(const THistoryRecord& record);
THistoryRecord DecodeHistoryRecord(const uint8_t* bytes);

// Writes the record just behind the last whole record of the file, creating
// it when missing, and syncs it; the file is never truncated. Throws
// std::runtime_error naming the file when it fails.
void AppendHistoryRecord(const std::string& path, const THistoryRecord& record);

// Every whole record of the file.
std::vector<THistoryRecord> ReadHistoryFile(const std::string& path);
// The last whole records of the file, at most `count`, in file order.
std::vector<THistoryRecord> ReadLastHistoryRecords(const std::string& path, size_t count);

}  // namespace vantrope
