#include "caption.h"

#include <cctype>

namespace vantrope::demo::terminal {

std::string TerminalCaption(std::string_view pair, std::string_view timeframe_name) {
  std::string caption = "1000200: Demo-Server - Demo Account - [";
  caption += pair;
  caption += ',';
  caption += timeframe_name;
  caption += ']';
  return caption;
}

bool IsPairName(std::string_view text) {
  if (text.empty() || text.size() > 16) return false;
  for (char c : text)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '#') return false;
  return true;
}

}  // namespace vantrope::demo::terminal
