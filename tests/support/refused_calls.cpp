#include "support/refused_calls.h"

#include <fcntl.h>
#include <seccomp.h>

#include <cerrno>
#include <exception>
#include <stdexcept>
#include <thread>

namespace vantrope::testing {

namespace {

// A filter without thread synchronisation binds the calling thread alone.
void InstallRefusal(Refusal refusal) {
  scmp_filter_ctx filter = seccomp_init(SCMP_ACT_ALLOW);
  if (filter == nullptr) throw std::runtime_error("seccomp_init failed");
  int failed = 0;
  switch (refusal) {
    case Refusal::kFileStatus:
      for (int call : {SCMP_SYS(stat), SCMP_SYS(lstat), SCMP_SYS(fstat), SCMP_SYS(newfstatat), SCMP_SYS(statx)})
        failed |= seccomp_rule_add(filter, SCMP_ACT_ERRNO(EIO), call, 0);
      break;
    case Refusal::kReadingOpens:
      failed |= seccomp_rule_add(filter, SCMP_ACT_ERRNO(EACCES), SCMP_SYS(open), 1,
                                 SCMP_A1(SCMP_CMP_MASKED_EQ, O_ACCMODE, O_RDONLY));
      failed |= seccomp_rule_add(filter, SCMP_ACT_ERRNO(EACCES), SCMP_SYS(openat), 1,
                                 SCMP_A2(SCMP_CMP_MASKED_EQ, O_ACCMODE, O_RDONLY));
      break;
    case Refusal::kWrites:
      for (int call : {SCMP_SYS(write), SCMP_SYS(writev), SCMP_SYS(pwrite64), SCMP_SYS(pwritev)})
        failed |= seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOSPC), call, 0);
      break;
  }
  if (failed == 0) failed = seccomp_load(filter);
  seccomp_release(filter);
  if (failed != 0) throw std::runtime_error("the refusal could not be installed");
}

}  // namespace

void RunRefusing(Refusal refusal, const std::function<void()>& work) {
  std::exception_ptr thrown;
  std::thread([&] {
    try {
      InstallRefusal(refusal);
      work();
    } catch (...) {
      thrown = std::current_exception();
    }
  }).join();
  if (thrown) std::rethrow_exception(thrown);
}

}  // namespace vantrope::testing
