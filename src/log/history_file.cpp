#include "log/history_file.h"

#include <bit>
#include <cstring>
#include <fstream>
#include <limits>
#include <stdexcept>

#include "settings/durable_file.h"
#include "text/cp1251.h"

namespace vantrope {

namespace {

template <typename T>
void PutLittleEndian(uint8_t* at, T value) {
  using Unsigned = std::conditional_t<sizeof(T) == 8, uint64_t, uint32_t>;
  const auto bits = std::bit_cast<Unsigned>(value);
  for (size_t i = 0; i < sizeof(T); ++i) at[i] = static_cast<uint8_t>(bits >> (8 * i));
}

template <typename T>
T GetLittleEndian(const uint8_t* at) {
  using Unsigned = std::conditional_t<sizeof(T) == 8, uint64_t, uint32_t>;
  Unsigned bits = 0;
  for (size_t i = 0; i < sizeof(T); ++i) bits |= static_cast<Unsigned>(at[i]) << (8 * i);
  return std::bit_cast<T>(bits);
}

void PutShortString(uint8_t* at, const std::string& utf8, size_t max_chars) {
  std::string bytes = Utf8ToCp1251(utf8);
  if (bytes.size() > max_chars) bytes.resize(max_chars);
  at[0] = static_cast<uint8_t>(bytes.size());
  std::memcpy(at + 1, bytes.data(), bytes.size());
}

std::string GetShortString(const uint8_t* at, size_t max_chars) {
  const size_t length = std::min<size_t>(at[0], max_chars);
  return Cp1251ToUtf8(std::string(reinterpret_cast<const char*>(at + 1), length));
}

}  // namespace

std::array<uint8_t, kHistoryRecordSize> EncodeHistoryRecord(const THistoryRecord& r) {
  std::array<uint8_t, kHistoryRecordSize> bytes{};
  uint8_t* b = bytes.data();
  PutLittleEndian(b + 0, r.Time);
  PutShortString(b + 9, r.Account, 16);
  PutLittleEndian(b + 32, r.BalanceAtBet);
  PutLittleEndian(b + 40, r.BalanceAtResult);
  PutShortString(b + 48, r.Currency, 3);
  b[52] = r.Result;
  PutShortString(b + 53, r.Pair, 9);
  PutShortString(b + 63, r.Period, 6);
  b[70] = r.Strategy;
  PutLittleEndian(b + 72, r.Stake);
  PutLittleEndian(b + 76, r.Direction);
  for (size_t i = 0; i < r.Params.size(); ++i) PutLittleEndian(b + 80 + 4 * i, r.Params[i]);
  return bytes;
}

THistoryRecord DecodeHistoryRecord(const uint8_t* b) {
  THistoryRecord r;
  r.Time = GetLittleEndian<double>(b + 0);
  r.Account = GetShortString(b + 9, 16);
  r.BalanceAtBet = GetLittleEndian<double>(b + 32);
  r.BalanceAtResult = GetLittleEndian<double>(b + 40);
  r.Currency = GetShortString(b + 48, 3);
  r.Result = b[52];
  r.Pair = GetShortString(b + 53, 9);
  r.Period = GetShortString(b + 63, 6);
  r.Strategy = b[70];
  r.Stake = GetLittleEndian<int32_t>(b + 72);
  r.Direction = GetLittleEndian<int32_t>(b + 76);
  for (size_t i = 0; i < r.Params.size(); ++i) r.Params[i] = GetLittleEndian<int32_t>(b + 80 + 4 * i);
  return r;
}

void AppendHistoryRecord(const std::string& path, const THistoryRecord& record) {
  const auto bytes = EncodeHistoryRecord(record);
  if (!AppendRecordDurably(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
    throw std::runtime_error("Unable to write to " + path);
}

std::vector<THistoryRecord> ReadHistoryFile(const std::string& path) {
  return ReadLastHistoryRecords(path, std::numeric_limits<size_t>::max());
}

std::vector<THistoryRecord> ReadLastHistoryRecords(const std::string& path, size_t count) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::vector<THistoryRecord> records;
  if (!in || count == 0) return records;
  const auto whole = static_cast<size_t>(in.tellg()) / kHistoryRecordSize;
  in.seekg(static_cast<std::streamoff>((whole > count ? whole - count : 0) * kHistoryRecordSize));
  // A torn record at the end is no record: its read fails.
  std::array<uint8_t, kHistoryRecordSize> bytes;
  while (in.read(reinterpret_cast<char*>(bytes.data()), bytes.size())) records.push_back(DecodeHistoryRecord(bytes.data()));
  return records;
}

}  // namespace vantrope
