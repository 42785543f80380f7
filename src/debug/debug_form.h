// The debug window. It exists from start-up on and stays hidden until asked for.
#pragma once

#include "app/controls.h"

namespace vantrope {

struct WindowBounds {
  int top = 0;
  int left = 0;
  int width = 0;
  int height = 0;
};

class TfmDebug {
 public:
  // Creation: takes the bounds kept in the settings.
  void FormCreate(const WindowBounds& bounds);
  // Closing hides the window and keeps its bounds for the settings file.
  void FormClose();
  void Show();

  const WindowBounds& StoredBounds() const { return stored_bounds_; }

  ui::Window Form;

 private:
  WindowBounds stored_bounds_;
};

}  // namespace vantrope
