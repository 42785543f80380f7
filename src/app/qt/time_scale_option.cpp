#include "app/qt/time_scale_option.h"

#include <charconv>
#include <cstring>

namespace vantrope {

std::optional<int> ParseTimeScale(int argc, const char* const* argv) {
  int scale = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--time-scale") != 0) continue;
    if (i + 1 >= argc) return std::nullopt;
    const char* text = argv[++i];
    const char* end = text + std::strlen(text);
    const auto [last, error] = std::from_chars(text, end, scale);
    if (error != std::errc() || last != end || scale < 1) return std::nullopt;
  }
  return scale;
}

}  // namespace vantrope
