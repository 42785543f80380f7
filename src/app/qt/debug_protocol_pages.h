// The debug window's protocol pages: the debug log with the robot-debugging
// group below it, and the protocol of a traced page recognition.
#pragma once

#include <QWidget>

#include "debug/debug_form.h"

namespace vantrope {

QWidget* BuildLogPage(TfmDebug& debug);
QWidget* BuildRecognitionPage(ParserView& parser);

}  // namespace vantrope
