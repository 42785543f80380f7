// The demo broker's server program on a port it picks itself.
#pragma once

#include <sys/wait.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "child_process.h"

namespace vantrope::testing {

class DemoBroker {
 public:
  static constexpr int kStartTimeoutMs = 10000;

  explicit DemoBroker(std::vector<std::string> extra = {}) : server_(Arguments(std::move(extra))) {
    const std::optional<std::string> line = server_.ReadLine(kStartTimeoutMs);
    const std::string listening = "listening on http://127.0.0.1:";
    const size_t at = line ? line->find(listening) : std::string::npos;
    if (at == std::string::npos) throw std::runtime_error("the demo broker did not start: " + line.value_or(""));
    port_ = std::to_string(std::stoi(line->substr(at + listening.size())));
  }

  static std::vector<std::string> Arguments(std::vector<std::string> extra) {
    std::vector<std::string> arguments = {VANTROPE_DEMO_BROKER, "--port", "0"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return arguments;
  }

  const std::string& Port() const { return port_; }
  // True when the server ended cleanly on SIGTERM.
  bool Stop() {
    const int status = server_.Stop();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

 private:
  ChildProcess server_;
  std::string port_;
};

}  // namespace vantrope::testing
