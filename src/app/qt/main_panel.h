// The left panel of the main window: account, robot controls, strategy pages
// and the event log, top to bottom.
#pragma once

#include <QWidget>

#include "app/main_form.h"

namespace vantrope {

void FillMainPanel(TMainForm& form, QWidget& panel);

}  // namespace vantrope
