// The history file read for a look at the results: every record that reads
// as a bet, and how many bytes did not (a torn last record, junk, a record
// whose fields make no sense). The file is only read, never written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "log/history_file.h"

namespace vantrope {

struct HistoryContents {
  std::vector<THistoryRecord> records;
  uint64_t unread_bytes = 0;
  bool opened = false;
};

HistoryContents ReadHistoryContents(const std::string& path);
// The same for bytes already read.
HistoryContents ParseHistoryBytes(const std::string& bytes);

}  // namespace vantrope
