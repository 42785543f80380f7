// After each capture: both arrows searched, the newer one raising its
// signal once per direction, and the bet pair following the chart.
#include "event/event_changes.h"
#include "event/pair_table.h"
#include "terminal/terminal_seeker.h"

#include "text/number_format.h"
#include "text/utf8.h"

namespace vantrope {
namespace {

constexpr ui::Color kUpColor = ui::Rgb(0, 255, 0);
constexpr ui::Color kDownColor = ui::Rgb(255, 0, 0);
constexpr ui::Color kOutlineColor = ui::Rgb(255, 255, 0);
constexpr ui::Color kFoundColor = ui::Rgb(255, 0, 0);
constexpr ui::Color kNotFoundColor = ui::Rgb(0, 0, 0);
constexpr int kRedShift = 0;
constexpr int kGreenShift = 8;

// The frame around a found arrow in the debug picture: the columns left and
// right of it and the rows above it and on its last row.
void Outline(Bitmap& picture, const TArrowMatch& match, int width, int height) {
  const int left = match.X - 1, right = match.X + width;
  const int top = match.Y - 1, bottom = match.Y + height - 1;
  for (int y = top; y <= bottom; ++y) {
    picture.SetPixel(left, y, kOutlineColor);
    picture.SetPixel(right, y, kOutlineColor);
  }
  for (int x = left; x <= right; ++x) {
    picture.SetPixel(x, top, kOutlineColor);
    picture.SetPixel(x, bottom, kOutlineColor);
  }
}

}  // namespace

TArrowMatch TerminalSeeker::SearchArrow(const Bitmap& picture, const ui::Image& image, ui::Color color,
                                        int component_shift) {
  terminal.ArrowSearch.BuildMask(terminal.Snapshot, color);
  terminal.ArrowSearch.BuildTemplate(picture, image.Width(), image.Height(), component_shift);
  return FindObject(static_cast<uint8_t>(image.Width()), static_cast<uint8_t>(image.Height()));
}

void TerminalSeeker::ShowArrowLabel(ui::Label& label, const TArrowMatch& match) {
  label.SetCaption(match.Found ? " " + texts.Text(txArrowFound) + " " +
                                     FormatFixed(match.Score, 1, clock.DecimalSeparator()) + "%"
                               : " " + texts.Text(txArrowNotFound));
}

void TerminalSeeker::NoteSightings() {
  // A caption that shows no pair for a while is the same chart.
  const std::string valute = IsPairCode(terminal.TerminalValute) || !terminal.Sighted
                                 ? terminal.TerminalValute
                                 : terminal.Sighted->valute;
  const TerminalState::SightedChart chart_now{terminal.TerminalHandle, valute, {EVENT.Period, EVENT.PeriodUnit}};
  const bool first_capture = terminal.Sighted != chart_now;
  if (first_capture) {
    terminal.Sighted = chart_now;
    terminal.UpSighting = terminal.DownSighting = {};
  }
  // The last program's arrow stood on its own chart: on any other, every
  // arrow is this program's.
  if (IsPairCode(terminal.TerminalValute) && !terminal.InheritedChart.empty() &&
      ChartKey(valute, chart_now.period) != terminal.InheritedChart)
    terminal.InheritedSignal = drNone;
  const int64_t now = clock.MonotonicMs();
  const auto bar_ms = static_cast<int64_t>(PeriodSeconds(EVENT.Period, EVENT.PeriodUnit) * 1000);
  // A new arrow came after the last search, which did not see it: just now
  // while the terminal is in sight, at any time while it was away.
  const int64_t arrival = terminal.AwaySinceSearch ? terminal.LastSearchTime : now;
  terminal.LastSearchTime = now;
  terminal.AwaySinceSearch = false;
  for (auto [match, sighting] : {std::pair{&terminal.ArrowUpMatch, &terminal.UpSighting},
                                 std::pair{&terminal.ArrowDownMatch, &terminal.DownSighting}}) {
    // A search that found nothing (a window lay over the chart, say) does
    // not make the arrow it lost new when it shows again.
    const bool seen_before = sighting->last_seen != 0;
    const bool same_arrow = seen_before && (match->X < sighting->x ||
                                            (match->X == sighting->x && now - sighting->last_seen < bar_ms));
    if (match->Found && !same_arrow) sighting->first_seen = first_capture ? 0 : arrival;
    sighting->found = match->Found;
    if (!match->Found) continue;
    sighting->x = match->X;
    sighting->last_seen = now;
  }
}

void TerminalSeeker::SearchImage() {
  // The search is a function of the strip alone (the templates never change
  // after start-up): the matches of an unchanged strip stand.
  if (terminal.Snapshot != terminal.SearchedSnapshot) {
    terminal.ArrowUpMatch = SearchArrow(terminal.imUpPicture, terminal.imUp, kUpColor, kGreenShift);
    terminal.ArrowDownMatch = SearchArrow(terminal.imDownPicture, terminal.imDown, kDownColor, kRedShift);
    terminal.SearchedSnapshot = terminal.Snapshot;
  }

  debug_view.Image1.EditPicture([this](Bitmap& picture) {
    if (terminal.ArrowUpMatch.Found)
      Outline(picture, terminal.ArrowUpMatch, terminal.imUp.Width(), terminal.imUp.Height());
    if (terminal.ArrowDownMatch.Found)
      Outline(picture, terminal.ArrowDownMatch, terminal.imDown.Width(), terminal.imDown.Height());
  });
  ShowArrowLabel(debug_view.lbArrowUpFound, terminal.ArrowUpMatch);
  ShowArrowLabel(debug_view.lbArrowDownFound, terminal.ArrowDownMatch);

  NoteSightings();
  // Both found: the one further right stands on the newer bar; down wins a tie.
  if (terminal.ArrowUpMatch.Found && terminal.ArrowDownMatch.Found) {
    if (terminal.ArrowUpMatch.X > terminal.ArrowDownMatch.X)
      terminal.ArrowDownMatch.Found = false;
    else
      terminal.ArrowUpMatch.Found = false;
  }
  debug_view.lbArrowUpFound.SetFontColor(terminal.ArrowUpMatch.Found ? kFoundColor : kNotFoundColor);
  debug_view.lbArrowDownFound.SetFontColor(terminal.ArrowDownMatch.Found ? kFoundColor : kNotFoundColor);

  // Until the robot has been started once there is no pair to bet on. A
  // caption that shows no pair hides which chart the arrows stand on (it may
  // have changed meanwhile): a signal waits until the caption tells it.
  const bool robot_started = !Trim(EVENT.Valute).empty();
  const bool may_signal = robot_started && IsPairCode(terminal.TerminalValute);
  if (terminal.ArrowUpMatch.Found && EVENT.Direction != drUp && may_signal) {
    RaiseSignal(EVENT, drUp, terminal.InheritedSignal == drUp ? 0 : terminal.UpSighting.first_seen);
    if (terminal.InheritedSignal != drUp) terminal.InheritedSignal = drNone;
    log.AddStringToLog(ltUp, texts.Text(txUpSignal), true);
    events.SignalRaised();
  }
  if (terminal.ArrowDownMatch.Found && EVENT.Direction != drDown && may_signal) {
    RaiseSignal(EVENT, drDown, terminal.InheritedSignal == drDown ? 0 : terminal.DownSighting.first_seen);
    if (terminal.InheritedSignal != drDown) terminal.InheritedSignal = drNone;
    log.AddStringToLog(ltDown, texts.Text(txDownSignal), true);
    events.SignalRaised();
  }
  // Only a pair of the table becomes the bet pair.
  if (terminal.TerminalValute != EVENT.Valute && robot_started && IsPairCode(terminal.TerminalValute)) {
    log.AddStringToLog(
        ltInfo,
        texts.Text(txPairChangedFrom) + EVENT.Valute + texts.Text(txPairChangedTo) + terminal.TerminalValute + "]",
        true);
    ChangePair(EVENT, Utf8Left(terminal.TerminalValute, 9));
    events.ChartChanged();
  }
  terminal.SnapshotState = snSearched;
}

}  // namespace vantrope
