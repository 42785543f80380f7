// Where the strategies' bets and the signals for them go: the bet cycle on
// the broker's site, or the debug window's simulated site while it is on.
#pragma once

namespace vantrope {

class BetRunner {
 public:
  // The bet in the robot state's request fields is to be made.
  virtual void RequestBet() = 0;
  // A new indicator signal: a ready form takes it at once.
  virtual void SignalArrived() = 0;

 protected:
  ~BetRunner() = default;
};

}  // namespace vantrope
