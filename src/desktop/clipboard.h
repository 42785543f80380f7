// Clipboard port.
#pragma once

#include <cstdint>
#include <string>

namespace vantrope {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces the clipboard's content with the text, marked with the locale
  // it is written in (a Windows locale identifier, 1049 Russian).
  virtual void SetText(const std::string& text, uint32_t locale_id) = 0;
};

}  // namespace vantrope
