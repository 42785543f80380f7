#include "timeframe.h"

#include <array>
#include <cctype>

namespace vantrope::demo::terminal {

namespace {

struct KnownTimeframe {
  const char* name;
  int64_t seconds;
};

constexpr std::array<KnownTimeframe, 9> kTimeframes = {{
    {"M1", 60},
    {"M5", 5 * 60},
    {"M15", 15 * 60},
    {"M30", 30 * 60},
    {"H1", 3600},
    {"H4", 4 * 3600},
    {"Daily", 86400},
    {"W1", 7 * 86400},
    {"MN", 30 * 86400},
}};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

}  // namespace

std::optional<Timeframe> FindTimeframe(std::string_view text) {
  for (const KnownTimeframe& known : kTimeframes)
    if (SameIgnoringCase(text, known.name)) return Timeframe{known.name, known.seconds};
  return std::nullopt;
}

}  // namespace vantrope::demo::terminal
