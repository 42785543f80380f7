// The clipboard port on the desktop's clipboard.
#pragma once

#include "desktop/clipboard.h"

namespace vantrope {

class QtClipboard : public Clipboard {
 public:
  void SetText(const std::string& text, uint32_t locale_id) override;
};

}  // namespace vantrope
