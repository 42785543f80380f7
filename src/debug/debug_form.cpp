#include "debug/debug_form.h"

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

void TfmDebug::AddStringToDebugLog(const DebugStamp& stamp, const std::string& text) {
  if (mmLog.Lines().size() >= kLogViewLines) mmLog.DeleteFirst();
  const std::string line = " " + ZeroPadded(stamp.BetOnStatus, 5) + " " + ZeroPadded(stamp.PageIndex, 3) + " " +
                           ZeroPadded(stamp.RobotStatus, 3) + " " + ZeroPadded(stamp.RobotSubStatus, 3) + " > " + text;
  if (line == LastDebugLine) return;
  LastDebugLine = line;

  const double now = clock_.Now();
  mmLog.Append(FormatDateTime(clock_.LongTimeFormat(), now) + line);
  const std::string time = FormatDateTime(clock_.ShortDateFormat() + " " + clock_.LongTimeFormat(), now) + ": ";
  if (auto error = LogFile.WriteLine(Utf8PadRight(time, 23) + line)) shell_.ShowErrorReport(*error);
}

}  // namespace vantrope
