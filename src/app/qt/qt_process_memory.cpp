#include "app/qt/qt_process_memory.h"

#include <malloc.h>
#include <unistd.h>

#include <fstream>

namespace vantrope {

uint64_t QtProcessMemory::WorkingSetSize() {
  // statm: total program size, then the resident set, both in pages.
  std::ifstream statm("/proc/self/statm");
  uint64_t total_pages = 0;
  uint64_t resident_pages = 0;
  if (!(statm >> total_pages >> resident_pages)) return 0;
  const long page_size = sysconf(_SC_PAGESIZE);
  return page_size > 0 ? resident_pages * uint64_t(page_size) : 0;
}

void QtProcessMemory::TrimWorkingSet() { malloc_trim(0); }

}  // namespace vantrope
