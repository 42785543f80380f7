#include "debug/debug_form.h"

#include "app/main_form.h"
#include "site/pair_table.h"
#include "text/date_time_format.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

std::string ZeroPadded(unsigned value, size_t digits) {
  std::string text = std::to_string(value);
  if (text.size() < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

}  // namespace

TfmDebug::TfmDebug(TMainForm& main_form) : main_form_(main_form) {
  Form.SetVisible(false);
  site_control.cbeBetOnValutePair.SetItems(PairItems());
  site_control.cbeBetOnValutePair.SetItemIndex(0);
  site_control.neBetOnBetPeriod.SetLimits(30, 9999);
  site_control.neBetOnBetPeriod.SetValue(30);
  site_control.cbeBetOnBetTimeCost.SetItems({"sec", "min", "hrs"});
  site_control.cbeBetOnBetTimeCost.SetItemIndex(0);
  site_control.neBetOnDebet.SetLimits(2, 50);
  site_control.neBetOnDebet.SetDecimals(1);
  site_control.neBetOnDebet.SetValue(2);
  site_control.cbeBetOnValutePair.onChange = [this] { main_form_.cbeBetOnValutePairChange(); };
  site_control.cbeBetOnBetTimeCost.onChange = [this] { main_form_.cbeBetOnBetTimeCostChange(); };
  site_control.neBetOnBetPeriod.onExit = [this] { main_form_.neBetOnBetPeriodExit(); };
}

void TfmDebug::FormCreate(const WindowBounds& bounds) {
  stored_bounds_ = bounds;
  Form.SetVisible(false);
  Form.SetMinSize(kMinWidth, kMinHeight);
  // Never stored yet: the window's own size.
  Form.SetBounds(bounds.left, bounds.top, bounds.width > 0 ? bounds.width : kDesignWidth,
                 bounds.height > 0 ? bounds.height : kDesignHeight);
}

void TfmDebug::FormClose() {
  stored_bounds_ = {Form.Top(), Form.Left(), Form.Width(), Form.Height()};
  Form.SetVisible(false);
}

void TfmDebug::Show() { Form.SetVisible(true); }

void TfmDebug::AddStringToDebugLog(const std::string& text) {
  if (mmLog.Lines().size() >= kLogViewLines) mmLog.DeleteFirst();
  const TMainForm& m = main_form_;
  const std::string line = " " + ZeroPadded(m.robot.BetOnStatus, 5) + " " + ZeroPadded(m.page.PageIndex, 3) + " " +
                           ZeroPadded(m.robot.RobotStatus, 3) + " " + ZeroPadded(m.robot.RobotSubStatus, 3) + " > " +
                           text;
  if (line == LastDebugLine) return;
  LastDebugLine = line;

  Clock& clock = main_form_.platform.clock;
  const double now = clock.Now();
  mmLog.Append(FormatDateTime(clock.LongTimeFormat(), now) + line);
  const std::string stamp =
      FormatDateTime(clock.ShortDateFormat() + " " + clock.LongTimeFormat(), now) + ": ";
  if (auto error = LogFile.WriteLine(Utf8PadRight(stamp, 23) + line))
    main_form_.platform.shell.ShowErrorReport(*error);
}

}  // namespace vantrope
