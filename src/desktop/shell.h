// Shell port: what the program asks of the desktop it runs on. Nothing here
// waits or lets other handlers run: every handler of the program runs to its
// end before the next one begins.
#pragma once

#include <cstdint>
#include <string>

namespace vantrope {

class Shell {
 public:
  virtual ~Shell() = default;
  // Bring the program's own main window to the front.
  virtual void BringToFront() = 0;
  // End the message loop; no handler runs after the current one returns.
  virtual void Terminate() = 0;
  // The default error report of the framework: a message box with the error.
  virtual void ShowErrorReport(const std::string& text) = 0;
  // Tell the system that it is in use, so it does not fall asleep.
  virtual void KeepSystemAwake() = 0;
  // Asks the platform to render the embedded browser in the given document
  // mode for this program, unless it was asked before; silent when it cannot.
  virtual void RegisterBrowserEmulation(const std::string& program_name, uint32_t mode) = 0;
};

}  // namespace vantrope
