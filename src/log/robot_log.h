// The two logs every part of the robot writes to: the event log the user
// reads and the diagnostic debug log.
#pragma once

#include <cstdint>
#include <string>

namespace vantrope {

// Types of the event log's lines.
enum TLogType : uint8_t {
  ltPlain = 0,
  ltInfo = 1,
  ltUp = 2,
  ltDown = 3,
  ltError = 4,
  ltWin = 5,
  ltLost = 6,
  ltNotice = 7,
  ltBetPending = 8,
  ltPendingClosed = 9,
};

class RobotLog {
 public:
  // One line of the event log: its mark, colour, repeat guard, the pending
  // bet row, the history record of a result and the sound.
  virtual void AddStringToLog(uint8_t type, const std::string& text, bool sound) = 0;
  // The diagnostic line, stamped with the robot's state.
  virtual void AddStringToDebugLog(const std::string& text) = 0;

 protected:
  ~RobotLog() = default;
};

}  // namespace vantrope
