// The terminal seeker: once a second, find the terminal, read its caption
// and capture the strip along its right edge for the arrow search.
#include <cstdio>

#include "app/main_form.h"
#include "terminal/caption_grammar.h"
#include "text/date_time_format.h"
#include "text/utf8.h"

namespace vantrope {
namespace {

constexpr int kMinimisedHeight = 100;
constexpr ui::Color kWhite = ui::Rgb(255, 255, 255);
constexpr ui::Color kFrameColor = ui::Rgb(255, 255, 0);
const char* const kNoValue = "---";

std::string HandleText(WindowHandle handle) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%08llX", static_cast<unsigned long long>(handle));
  return text;
}

}  // namespace

void TMainForm::cbAlpariSeekClick() {
  TerminalControl = cbAlpariSeek.Checked();
  tmSeeker.SetEnabled(TerminalControl);
}

std::string TMainForm::GetCaption(WindowHandle window) {
  return window == 0 ? std::string() : platform.windows.WindowCaption(window);
}

void TMainForm::ShowNoTerminal() {
  for (ui::Label* field : {&fmDebug.stTermPosX, &fmDebug.stTermPosY, &fmDebug.stTermWidth, &fmDebug.stTermHeight,
                           &fmDebug.stTermHandle, &fmDebug.stTermName, &fmDebug.stTermValute})
    field->SetCaption(kNoValue);
}

void TMainForm::tmSeekerTimer() {
  tmSeeker.SetEnabled(false);
  // A capture still waiting for its search: seeking stays off until the
  // user switches terminal control on again.
  if (SnapshotState == 1) return;

  WindowSystem& windows = platform.windows;
  TerminalHandle = windows.FindTopLevelWindowByClass(TerminalPageName);
  if (TerminalHandle == 0) {
    ShowNoTerminal();
  } else {
    fmDebug.stTermHandle.SetCaption(HandleText(TerminalHandle));
    const std::string caption = Trim(GetCaption(TerminalHandle));
    fmDebug.stTermName.SetCaption(caption);
    TerminalValute = Utf8Left(GetValuteFromWindowCaption(caption), 9);
    fmDebug.stTermValute.SetCaption(Trim(TerminalValute));

    // A window gone since the search keeps the last rectangle read.
    WindowRect rect;
    if (windows.GetWindowRect(TerminalHandle, rect))
      TerminalRect = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    fmDebug.stTermPosX.SetCaption(std::to_string(TerminalRect.left));
    fmDebug.stTermPosY.SetCaption(std::to_string(TerminalRect.top));
    fmDebug.stTermWidth.SetCaption(std::to_string(TerminalRect.width));
    fmDebug.stTermHeight.SetCaption(std::to_string(TerminalRect.height));

    // A minimised terminal is restored without the focus; this pass still
    // works with the minimised rectangle.
    if (TerminalRect.height < kMinimisedHeight) {
      windows.ShowWindowNoActivate(TerminalHandle);
      windows.BringWindowToTop(TerminalHandle);
      platform.shell.BringToFront();
      platform.shell.ProcessMessages();
    }

    Snapshot.Resize(SnapshotStripWidth, TerminalRect.height);
    if (Snapshot.Width() * Snapshot.Height() == 0) return;

    if (AlpariHardUpdate) {
      windows.ShowWindow(TerminalHandle);
      windows.BringWindowToTop(TerminalHandle);
    }
    const bool copied =
        windows.CopyWindowPixels(TerminalHandle, TerminalRect.width - SnapshotStripWidth, 0, Snapshot);
    SnapshotState = copied ? 1 : 0;
    SnapshotTime = platform.clock.Now();
    if (!copied) Snapshot.Fill(kWhite);
    fmDebug.Image1.SetPicture(Snapshot);
    fmDebug.stSnapTime.SetCaption(
        FormatDateTime(platform.clock.ShortDateFormat() + " " + platform.clock.LongTimeFormat(), SnapshotTime));
    if (SnapshotState == 1) {
      SearchImage();
      MarkArrowOnTerminal();
    }
  }
  if (TerminalControl) tmSeeker.SetEnabled(true);
}

// A frame around the arrow that raised the current direction. Its size is
// the indicator's own arrow, whatever the template size.
void TMainForm::MarkArrowOnTerminal() {
  const int32_t strip_left = TerminalRect.width - SnapshotStripWidth;
  if (ArrowUpMatch.Found && EVENT.Direction == 1) {
    const int32_t x = strip_left - 2 + ArrowUpMatch.X;
    const int32_t y = ArrowUpMatch.Y;
    platform.windows.DrawFrame(TerminalHandle, {x, y - 2, x + 13, y + 13}, kFrameColor);
  }
  if (ArrowDownMatch.Found && EVENT.Direction == 2) {
    const int32_t x = strip_left - 2 + ArrowDownMatch.X;
    const int32_t y = ArrowDownMatch.Y;
    platform.windows.DrawFrame(TerminalHandle, {x, y - 7, x + 13, y + 8}, kFrameColor);
  }
}

void TMainForm::ShowTerminalPeriod() {
  teBetOnBetPeriod_.SetText(std::to_string(EVENT.Period));
  static constexpr const char* kUnits[] = {"s", "m", "h", "d"};
  int index = -1;
  for (int i = 0; i < 4; ++i)
    if (EVENT.PeriodUnit == kUnits[i]) index = i;
  // The box lists seconds, minutes and hours: days leave it without a selection.
  cbeBetOnBetTimeCost_.SetItemIndex(index);
}

std::string TMainForm::GetValuteFromWindowCaption(const std::string& caption) {
  const TerminalCaption parsed = ParseTerminalCaption(Trim(caption));
  if (parsed.timeframe) {
    if (const auto period = PeriodOfTimeframe(*parsed.timeframe)) {
      EVENT.Period = period->period;
      EVENT.PeriodUnit = period->unit;
    }
  }
  const std::string code = InstrumentCodeOfPairRun(parsed.pair_run);

  if (EVENT.Period != LastTerminalPeriod.period || EVENT.PeriodUnit != LastTerminalPeriod.unit) {
    EVENT.PeriodChanged = true;
    LastTerminalPeriod = {EVENT.Period, EVENT.PeriodUnit};
    AddStringToLog(ltInfo, Txt(130) + " " + std::to_string(EVENT.Period) + EVENT.PeriodUnit, true);
    // The bet cycle fills the broker's form again with the new period.
    if (BetOnStatus == 7) BetOnStatus = 6;
  }

  const std::string display = PairDisplayName(code);
  if (display != Trim(cbeBetOnValutePair_.Text())) {
    const std::vector<std::string>& items = cbeBetOnValutePair_.Items();
    for (int i = static_cast<int>(items.size()) - 1; i >= 0; --i)
      if (Trim(items[i]) == display) {
        cbeBetOnValutePair_.SetItemIndex(i);
        break;
      }
  }
  if (EVENT.PeriodChanged) ShowTerminalPeriod();
  return Trim(code);
}

}  // namespace vantrope
