// The debug window: its four pages in a tab control filling the window.
#pragma once

#include "app/qt/model_window.h"
#include "debug/debug_form.h"

namespace vantrope {

class DebugWindowView : public ModelWindow {
 public:
  explicit DebugWindowView(TfmDebug& debug);
};

}  // namespace vantrope
