// Process memory port: the working set of this process.
#pragma once

#include <cstdint>

namespace vantrope {

class ProcessMemory {
 public:
  virtual ~ProcessMemory() = default;
  // Working-set size in bytes, 0 when it cannot be read.
  virtual uint64_t WorkingSetSize() = 0;
  // Ask the system to give back the memory the process does not use.
  virtual void TrimWorkingSet() = 0;
};

}  // namespace vantrope
