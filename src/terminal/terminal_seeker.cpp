// The terminal seeker: once a second, find the terminal, read its caption
// and capture the strip along its right edge for the arrow search.
#include <algorithm>
#include <cstdio>

#include "terminal/terminal_seeker.h"

#include "event/event_changes.h"
#include "terminal/caption_grammar.h"
#include "terminal/main_window_pick.h"
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
  return window == 0 ? std::string() : windows.WindowCaption(window);
}

void TerminalSeeker::ShowNoTerminal() {
  for (ui::Label* field :
       {&debug_view.stTermPosX, &debug_view.stTermPosY, &debug_view.stTermWidth, &debug_view.stTermHeight,
        &debug_view.stTermHandle, &debug_view.stTermName, &debug_view.stTermValute})
    field->SetCaption(kNoValue);
}

void TerminalSeeker::Seek() {
  tmSeeker.SetEnabled(false);
  // A capture still waiting for its search: seeking stays off until the
  // user switches terminal control on again.
  if (terminal.SnapshotState == snCaptured) return;

  const std::vector<TopLevelWindow> found = windows.TopLevelWindowsOfClass(terminal.TerminalPageName);
  terminal.TerminalHandle = PickMainWindow(found);
  // Minimised or on another desktop as the pass begins: whatever a restore
  // does meanwhile, this pass has no chart to copy.
  const bool out_of_sight = std::any_of(found.begin(), found.end(), [&](const TopLevelWindow& window) {
    return window.handle == terminal.TerminalHandle && window.show_state == WindowShowState::kMinimised;
  });
  if (out_of_sight) terminal.AwaySinceSearch = true;
  // A window gone since the search counts as none; an empty rectangle
  // would end seeking for good.
  WindowRect rect;
  if (terminal.TerminalHandle != 0 && !windows.GetWindowRect(terminal.TerminalHandle, rect))
    terminal.TerminalHandle = 0;
  if (terminal.TerminalHandle == 0) {
    ShowNoTerminal();
    terminal.HiddenTerminal = htNone;
    // An arrow found when the window is back may have come at any time meanwhile.
    terminal.AwaySinceSearch = true;
  } else {
    debug_view.stTermHandle.SetCaption(HandleText(terminal.TerminalHandle));
    const std::string caption = Trim(GetCaption(terminal.TerminalHandle));
    debug_view.stTermName.SetCaption(caption);
    terminal.TerminalValute = Utf8Left(GetValuteFromWindowCaption(caption), 9);
    debug_view.stTermValute.SetCaption(Trim(terminal.TerminalValute));

    terminal.TerminalRect = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    debug_view.stTermPosX.SetCaption(std::to_string(terminal.TerminalRect.left));
    debug_view.stTermPosY.SetCaption(std::to_string(terminal.TerminalRect.top));
    debug_view.stTermWidth.SetCaption(std::to_string(terminal.TerminalRect.width));
    debug_view.stTermHeight.SetCaption(std::to_string(terminal.TerminalRect.height));
    RestoreMinimisedTerminal();

    terminal.Snapshot.Resize(terminal.SnapshotStripWidth, terminal.TerminalRect.height);
    if (terminal.Snapshot.Width() * terminal.Snapshot.Height() == 0) return;

    if (terminal.AlpariHardUpdate) {
      windows.ShowWindow(terminal.TerminalHandle);
      windows.BringWindowToTop(terminal.TerminalHandle);
    }
    const bool copied = !out_of_sight && windows.CopyWindowPixels(
        terminal.TerminalHandle, terminal.TerminalRect.width - terminal.SnapshotStripWidth, 0, terminal.Snapshot);
    terminal.SnapshotState = copied ? snCaptured : snNone;
    terminal.SnapshotTime = clock.Now();
    if (!copied) terminal.Snapshot.Fill(kWhite);
    debug_view.Image1.SetPicture(terminal.Snapshot);
    debug_view.stSnapTime.SetCaption(DateTimeText(clock, terminal.SnapshotTime));
    if (terminal.SnapshotState == snCaptured) {
      SearchImage();
      MarkArrowOnTerminal();
    }
  }
  if (terminal.TerminalControl) tmSeeker.SetEnabled(true);
}

// A minimised terminal is restored once, without the focus; this pass still
// works with the minimised rectangle. One that stays out of sight (on
// another desktop, say) is told of once, and the robot's window is not
// brought to the front again while it stays so.
void TerminalSeeker::RestoreMinimisedTerminal() {
  if (terminal.TerminalRect.height >= kMinimisedHeight) {
    terminal.HiddenTerminal = htNone;
  } else if (terminal.HiddenTerminal == htNone) {
    terminal.HiddenTerminal = htRestored;
    windows.ShowWindowNoActivate(terminal.TerminalHandle);
    windows.BringWindowToTop(terminal.TerminalHandle);
    shell.BringToFront();
  } else if (terminal.HiddenTerminal == htRestored) {
    terminal.HiddenTerminal = htReported;
    log.AddStringToLog(ltError, texts.Text(txTerminalHidden), true);
  }
}

// A frame around the arrow that raised the current direction. Its size is
// the indicator's own arrow, whatever the template size.
void TerminalSeeker::MarkArrowOnTerminal() {
  const int32_t strip_left = terminal.TerminalRect.width - terminal.SnapshotStripWidth;
  if (terminal.ArrowUpMatch.Found && EVENT.Direction == drUp) {
    const int32_t x = strip_left - 2 + terminal.ArrowUpMatch.X;
    const int32_t y = terminal.ArrowUpMatch.Y;
    windows.DrawFrame(terminal.TerminalHandle, {x, y - 2, x + 13, y + 13}, kFrameColor);
  }
  if (terminal.ArrowDownMatch.Found && EVENT.Direction == drDown) {
    const int32_t x = strip_left - 2 + terminal.ArrowDownMatch.X;
    const int32_t y = terminal.ArrowDownMatch.Y;
    windows.DrawFrame(terminal.TerminalHandle, {x, y - 7, x + 13, y + 8}, kFrameColor);
  }
}

void TerminalSeeker::ShowTerminalPeriod() {
  chart.teBetOnBetPeriod_.SetText(std::to_string(EVENT.Period));
  static constexpr const char* kUnits[] = {"s", "m", "h", "d"};
  int index = -1;
  for (int i = 0; i < 4; ++i)
    if (EVENT.PeriodUnit == kUnits[i]) index = i;
  // The box lists seconds, minutes and hours: days leave it without a selection.
  chart.cbeBetOnBetTimeCost_.SetItemIndex(index);
}

std::string TerminalSeeker::GetValuteFromWindowCaption(const std::string& caption) {
  const TerminalCaption parsed = ParseTerminalCaption(Trim(caption));
  if (parsed.timeframe) {
    if (const auto period = PeriodOfTimeframe(*parsed.timeframe)) {
      SetPeriod(EVENT, period->period);
      SetPeriodUnit(EVENT, period->unit);
    }
  }
  const std::string code = InstrumentCodeOfPairRun(parsed.pair_run);

  if (EVENT.Period != terminal.LastTerminalPeriod.period || EVENT.PeriodUnit != terminal.LastTerminalPeriod.unit) {
    FlagPeriodChange(EVENT);
    terminal.LastTerminalPeriod = {EVENT.Period, EVENT.PeriodUnit};
    log.AddStringToLog(ltInfo, texts.Text(txTimeframeChanged) + " " + std::to_string(EVENT.Period) + EVENT.PeriodUnit,
                       true);
    // The bet cycle fills the broker's form again with the new period.
    events.ChartChanged();
  }

  const std::string display = PairDisplayName(code);
  if (display != Trim(chart.cbeBetOnValutePair_.Text())) {
    const std::vector<std::string>& items = chart.cbeBetOnValutePair_.Items();
    for (int i = static_cast<int>(items.size()) - 1; i >= 0; --i)
      if (Trim(items[i]) == display) {
        chart.cbeBetOnValutePair_.SetItemIndex(i);
        break;
      }
  }
  if (EVENT.PeriodChanged) ShowTerminalPeriod();
  return Trim(code);
}

}  // namespace vantrope
