#include "debug/debug_form.h"

namespace vantrope {

void TfmDebug::FormCreate(const WindowBounds& bounds) {
  stored_bounds_ = bounds;
  Form.SetVisible(false);
  Form.SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
}

void TfmDebug::FormClose() {
  stored_bounds_ = {Form.Top(), Form.Left(), Form.Width(), Form.Height()};
  Form.SetVisible(false);
}

void TfmDebug::Show() { Form.SetVisible(true); }

}  // namespace vantrope
