// The command line of the demo broker's server.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantrope::demo {

struct ServerOptions {
  int port = 8470;  // 0: any free port
  int time_scale = 1;
  uint32_t seed = 1;
  std::string script;
  int price_share = 0;  // 0: drawn
  std::string accounts_file;
  int session_minutes = 30;
  // Each purchase asked for is told on the standard output with the time
  // of the machine's steady clock, for timing the robot from outside.
  bool trace_purchases = false;
  bool modern = false;
};

// The options of `arguments` (without the program's name), or no value
// with `error` telling what is wrong.
std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& arguments, std::string& error);

extern const char* const kServerUsage;

}  // namespace vantrope::demo
