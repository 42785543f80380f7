// A program the tests start and stop: its standard output comes back
// through a pipe, and it ends with the test process even if that crashes.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace vantrope::testing {

class ChildProcess {
 public:
  // Starts `argv[0]`, looked up in PATH when it has no slash. Throws
  // std::runtime_error when it cannot be started.
  explicit ChildProcess(const std::vector<std::string>& argv);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The next line of the program's output, without its line break; no value
  // when none is complete within `timeout_ms` or the output has ended.
  std::optional<std::string> ReadLine(int timeout_ms);
  // Writes a line to the program's standard input; false when it is gone.
  bool WriteLine(const std::string& line);
  // Sends SIGTERM and waits for the end; the status as waitpid gives it.
  // A program that is still running 30 s later is killed.
  int Stop();
  // Ends the program at once, as a crash or a power cut would, and waits.
  void Kill();

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string pending_;
};

}  // namespace vantrope::testing
