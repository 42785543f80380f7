// The main window: the left panel with the robot's controls, the strip that
// opens the browser panel, the browser panel, and the status bar.
#pragma once

#include "app/main_form.h"
#include "app/qt/model_window.h"

namespace vantrope {

class MainWindowView : public ModelWindow {
 public:
  MainWindowView(TMainForm& form, QWidget* browser_view);
};

}  // namespace vantrope
