// The terminal seeker: once a second, find the terminal, read its caption
// and capture the strip along its right edge for the arrow search.
#include <cstdio>

#include "terminal/terminal_seeker.h"

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

std::string TerminalSeeker::GetCaption(WindowHandle window) {
  return window == 0 ? std::string() : windows_.WindowCaption(window);
}

void TerminalSeeker::ShowNoTerminal() {
  for (ui::Label* field : {&view_.stTermPosX, &view_.stTermPosY, &view_.stTermWidth, &view_.stTermHeight,
                           &view_.stTermHandle, &view_.stTermName, &view_.stTermValute})
    field->SetCaption(kNoValue);
}

void TerminalSeeker::Seek() {
  timer_.SetEnabled(false);
  // A capture still waiting for its search: seeking stays off until the
  // user switches terminal control on again.
  if (state_.SnapshotState == 1) return;

  state_.TerminalHandle = windows_.FindTopLevelWindowByClass(state_.TerminalPageName);
  if (state_.TerminalHandle == 0) {
    ShowNoTerminal();
  } else {
    view_.stTermHandle.SetCaption(HandleText(state_.TerminalHandle));
    const std::string caption = Trim(GetCaption(state_.TerminalHandle));
    view_.stTermName.SetCaption(caption);
    state_.TerminalValute = Utf8Left(GetValuteFromWindowCaption(caption), 9);
    view_.stTermValute.SetCaption(Trim(state_.TerminalValute));

    // A window gone since the search keeps the last rectangle read.
    WindowRect rect;
    if (windows_.GetWindowRect(state_.TerminalHandle, rect))
      state_.TerminalRect = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    view_.stTermPosX.SetCaption(std::to_string(state_.TerminalRect.left));
    view_.stTermPosY.SetCaption(std::to_string(state_.TerminalRect.top));
    view_.stTermWidth.SetCaption(std::to_string(state_.TerminalRect.width));
    view_.stTermHeight.SetCaption(std::to_string(state_.TerminalRect.height));

    // A minimised terminal is restored without the focus; this pass still
    // works with the minimised rectangle.
    if (state_.TerminalRect.height < kMinimisedHeight) {
      windows_.ShowWindowNoActivate(state_.TerminalHandle);
      windows_.BringWindowToTop(state_.TerminalHandle);
      shell_.BringToFront();
      shell_.ProcessMessages();
    }

    state_.Snapshot.Resize(state_.SnapshotStripWidth, state_.TerminalRect.height);
    if (state_.Snapshot.Width() * state_.Snapshot.Height() == 0) return;

    if (state_.AlpariHardUpdate) {
      windows_.ShowWindow(state_.TerminalHandle);
      windows_.BringWindowToTop(state_.TerminalHandle);
    }
    const bool copied = windows_.CopyWindowPixels(
        state_.TerminalHandle, state_.TerminalRect.width - state_.SnapshotStripWidth, 0, state_.Snapshot);
    state_.SnapshotState = copied ? 1 : 0;
    state_.SnapshotTime = clock_.Now();
    if (!copied) state_.Snapshot.Fill(kWhite);
    view_.Image1.SetPicture(state_.Snapshot);
    view_.stSnapTime.SetCaption(
        FormatDateTime(clock_.ShortDateFormat() + " " + clock_.LongTimeFormat(), state_.SnapshotTime));
    if (state_.SnapshotState == 1) {
      SearchImage();
      MarkArrowOnTerminal();
    }
  }
  if (state_.TerminalControl) timer_.SetEnabled(true);
}

// A frame around the arrow that raised the current direction. Its size is
// the indicator's own arrow, whatever the template size.
void TerminalSeeker::MarkArrowOnTerminal() {
  const int32_t strip_left = state_.TerminalRect.width - state_.SnapshotStripWidth;
  if (state_.ArrowUpMatch.Found && event_.Direction == 1) {
    const int32_t x = strip_left - 2 + state_.ArrowUpMatch.X;
    const int32_t y = state_.ArrowUpMatch.Y;
    windows_.DrawFrame(state_.TerminalHandle, {x, y - 2, x + 13, y + 13}, kFrameColor);
  }
  if (state_.ArrowDownMatch.Found && event_.Direction == 2) {
    const int32_t x = strip_left - 2 + state_.ArrowDownMatch.X;
    const int32_t y = state_.ArrowDownMatch.Y;
    windows_.DrawFrame(state_.TerminalHandle, {x, y - 7, x + 13, y + 8}, kFrameColor);
  }
}

void TerminalSeeker::ShowTerminalPeriod() {
  chart_.teBetOnBetPeriod_.SetText(std::to_string(event_.Period));
  static constexpr const char* kUnits[] = {"s", "m", "h", "d"};
  int index = -1;
  for (int i = 0; i < 4; ++i)
    if (event_.PeriodUnit == kUnits[i]) index = i;
  // The box lists seconds, minutes and hours: days leave it without a selection.
  chart_.cbeBetOnBetTimeCost_.SetItemIndex(index);
}

std::string TerminalSeeker::GetValuteFromWindowCaption(const std::string& caption) {
  const TerminalCaption parsed = ParseTerminalCaption(Trim(caption));
  if (parsed.timeframe) {
    if (const auto period = PeriodOfTimeframe(*parsed.timeframe)) {
      event_.Period = period->period;
      event_.PeriodUnit = period->unit;
    }
  }
  const std::string code = InstrumentCodeOfPairRun(parsed.pair_run);

  if (event_.Period != state_.LastTerminalPeriod.period || event_.PeriodUnit != state_.LastTerminalPeriod.unit) {
    event_.PeriodChanged = true;
    state_.LastTerminalPeriod = {event_.Period, event_.PeriodUnit};
    log_.AddStringToLog(ltInfo, texts_.Text(130) + " " + std::to_string(event_.Period) + event_.PeriodUnit, true);
    // The bet cycle fills the broker's form again with the new period.
    events_.ChartChanged();
  }

  const std::string display = PairDisplayName(code);
  if (display != Trim(chart_.cbeBetOnValutePair_.Text())) {
    const std::vector<std::string>& items = chart_.cbeBetOnValutePair_.Items();
    for (int i = static_cast<int>(items.size()) - 1; i >= 0; --i)
      if (Trim(items[i]) == display) {
        chart_.cbeBetOnValutePair_.SetItemIndex(i);
        break;
      }
  }
  if (event_.PeriodChanged) ShowTerminalPeriod();
  return Trim(code);
}

}  // namespace vantrope
