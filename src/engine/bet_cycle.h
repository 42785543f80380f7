// The bet cycle: walks the broker's site from login to a bet's result, one
// step per tick of the bet-state timer. All of its state lives on the main window.
#pragma once

#include <cstdint>
#include <string>

namespace vantrope {

class TMainForm;

class BetCycle {
 public:
  static constexpr int kTickInterval = 2000;

  explicit BetCycle(TMainForm& form) : f_(form) {}

  // One tick of tmBetOnState.
  void Tick();
  // The bet watchdog gave up on a bet.
  void WatchdogFired();

 private:
  enum class Outcome { Done, Wait };

  Outcome RunStep(uint8_t page);
  Outcome Step0();
  Outcome Step1(uint8_t page);
  Outcome Step2(uint8_t page);
  Outcome Step3(uint8_t page);
  Outcome Step4();
  Outcome Step5(uint8_t page);
  Outcome Step6Or7(uint8_t page);
  Outcome Step8();
  Outcome Step9();
  Outcome Step10(uint8_t page);
  Outcome Step11(uint8_t page);
  Outcome Step12(uint8_t page);
  Outcome StepIdle();

  // Re-parses and reads the page; outside the trading page it handles the
  // language and the end of the run, and tells whether the step goes on.
  bool OnTradingPageAfterReparse(uint8_t& page);
  void FillForm(bool check, int& failed_slot);
  void LogIn();
  void ReadStartBalance();
  void ReadResult();
  void DropSignal(const std::string& text);
  void FaultAndStop(const std::string& text);
  void Navigate(const std::string& url, int interval, bool fresh_page);
  void SetInterval(int interval);
  bool RobotRunning() const;
  void EnableTimerIfRunning();
  bool SlotExists(size_t slot) const;
  bool WriteSlot(size_t slot, const std::string& value);
  bool PressSlot(size_t slot);
  std::string SlotValue(size_t slot) const;
  std::string StepFaultName() const;

  TMainForm& f_;
};

}  // namespace vantrope
