// Clipboard port.
#pragma once

#include <string>

namespace vantrope {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(const std::string& text) = 0;
};

}  // namespace vantrope
