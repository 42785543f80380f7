#include "server_options.h"

#include "command_line.h"

namespace vantrope::demo {

const char* const kServerUsage =
    "usage: vantrope-demo-broker [--port N] [--time-scale N] [--seed N] [--script WLT...]\n"
    "                            [--price-share N] [--accounts-file PATH] [--session-minutes N]\n"
    "                            [--trace-purchases] [--modern]\n"
    "  --port N             port on 127.0.0.1 and localhost (default 8470; 0: any free port)\n"
    "  --time-scale N       contracts expire N times faster than their duration (default 1)\n"
    "  --seed N             seed of the prices and of the outcomes drawn (default 1)\n"
    "  --script WLLW        outcomes of the contracts in the order they settle, repeated\n"
    "                       (W won, L lost, T tie: the price is paid back)\n"
    "  --price-share N      every price is N percent of the payout (1..99; default drawn)\n"
    "  --accounts-file PATH writes the account numbers there, one a line\n"
    "  --session-minutes N  a session unused this long expires (default 30)\n"
    "  --trace-purchases    prints \"purchase MS\" for each purchase asked for, MS the\n"
    "                       steady clock's milliseconds\n"
    "  --modern             the trading page as sites built by scripts show it: its form\n"
    "                       put in by a script, values heard from typing only, buy\n"
    "                       buttons outside any form, the receipt shown in place\n";

std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& arguments, std::string& error) {
  ServerOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name == "--trace-purchases") {
      options.trace_purchases = true;
      continue;
    }
    if (name == "--modern") {
      options.modern = true;
      continue;
    }
    if (i + 1 >= arguments.size()) {
      error = "unknown option or missing value: " + name;
      return std::nullopt;
    }
    const std::string& value = arguments[++i];
    long long number = 0;
    bool ok = true;
    if (name == "--port") {
      ok = ReadNumber(value, 0, 65535, number);
      options.port = static_cast<int>(number);
    } else if (name == "--time-scale") {
      ok = ReadNumber(value, 1, 1000000, number);
      options.time_scale = static_cast<int>(number);
    } else if (name == "--seed") {
      ok = ReadNumber(value, 0, 4294967295LL, number);
      options.seed = static_cast<uint32_t>(number);
    } else if (name == "--script") {
      ok = !value.empty() && value.find_first_not_of("WLT") == std::string::npos;
      options.script = value;
    } else if (name == "--price-share") {
      ok = ReadNumber(value, 1, 99, number);
      options.price_share = static_cast<int>(number);
    } else if (name == "--accounts-file") {
      ok = !value.empty();
      options.accounts_file = value;
    } else if (name == "--session-minutes") {
      ok = ReadNumber(value, 1, 10000000, number);
      options.session_minutes = static_cast<int>(number);
    } else {
      error = "unknown option: " + name;
      return std::nullopt;
    }
    if (!ok) {
      error = "bad value for " + name + ": " + value;
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace vantrope::demo
