// The terminal window's caption: account and server, then the chart's pair
// and timeframe in brackets at the end, "... - [EURUSD,M1]".
#pragma once

#include <string>
#include <string_view>

namespace vantrope::demo::terminal {

std::string TerminalCaption(std::string_view pair, std::string_view timeframe_name);

// A pair name the caption can carry: 1 to 16 letters, digits, ".", "_" or "#".
bool IsPairName(std::string_view text);

}  // namespace vantrope::demo::terminal
