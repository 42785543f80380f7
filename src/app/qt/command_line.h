// The program's command line, read with Qt's parser before anything touches
// a display: the help, the version and a wrong option are answered on the
// console, and the console commands need no window system.
#pragma once

#include <string>

#include "lab/lab_command.h"

namespace vantrope {

struct CommandLine {
  enum class Action { kRun, kHistory, kHistorySummary, kLab, kExit };
  Action action = Action::kRun;
  int exit_status = 0;  // of kExit: the help or version printed, or a wrong command line
  int time_scale = 1;
  std::string history_file;  // of the history commands
  LabCommand lab;
};

CommandLine ReadCommandLine(int argc, char** argv);

}  // namespace vantrope
