// File faults a test cannot make as root. Root passes every permission check,
// so the system calls themselves are refused, on one thread only.
#pragma once

#include <functional>

namespace vantrope::testing {

enum class Refusal {
  kFileStatus,    // stat and its kin fail with EIO, while opening still works
  kReadingOpens,  // a file opened for reading only is refused with EACCES, as one the user may not read
  kWrites,        // writing fails with ENOSPC, as on a full disk
};

// Runs `work` on a thread of its own under the refusal; what it throws is
// thrown on to the caller.
void RunRefusing(Refusal refusal, const std::function<void()>& work);

}  // namespace vantrope::testing
