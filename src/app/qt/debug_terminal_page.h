// The debug window's first page: the terminal as the seeker found it, its
// captured strip and the arrows found in it, and the simulators.
#pragma once

#include <QWidget>

#include "debug/debug_form.h"

namespace vantrope {

QWidget* BuildTerminalPage(TfmDebug& debug);

}  // namespace vantrope
