// The process memory port on Linux: the resident set and glibc's heap trim.
#pragma once

#include "desktop/process_memory.h"

namespace vantrope {

class QtProcessMemory : public ProcessMemory {
 public:
  uint64_t WorkingSetSize() override;
  void TrimWorkingSet() override;
};

}  // namespace vantrope
