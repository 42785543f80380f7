// After each capture: both arrows searched, the newer one raising its
// signal once per direction, and the bet pair following the chart.
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
  state_.ArrowSearch.BuildMask(state_.Snapshot, color);
  state_.ArrowSearch.BuildTemplate(picture, image.Width(), image.Height(), component_shift);
  return FindObject(static_cast<uint8_t>(image.Width()), static_cast<uint8_t>(image.Height()));
}

void TerminalSeeker::ShowArrowLabel(ui::Label& label, const TArrowMatch& match) {
  label.SetCaption(match.Found
                       ? " " + texts_.Text(131) + " " + FormatFixed(match.Score, 1, clock_.DecimalSeparator()) + "%"
                       : " " + texts_.Text(86));
}

void TerminalSeeker::SearchImage() {
  state_.ArrowUpMatch = SearchArrow(state_.imUpPicture, state_.imUp, kUpColor, kGreenShift);
  state_.ArrowDownMatch = SearchArrow(state_.imDownPicture, state_.imDown, kDownColor, kRedShift);

  view_.Image1.EditPicture([this](Bitmap& picture) {
    if (state_.ArrowUpMatch.Found) Outline(picture, state_.ArrowUpMatch, state_.imUp.Width(), state_.imUp.Height());
    if (state_.ArrowDownMatch.Found)
      Outline(picture, state_.ArrowDownMatch, state_.imDown.Width(), state_.imDown.Height());
  });
  ShowArrowLabel(view_.lbArrowUpFound, state_.ArrowUpMatch);
  ShowArrowLabel(view_.lbArrowDownFound, state_.ArrowDownMatch);

  // Both found: the one further right stands on the newer bar; down wins a tie.
  if (state_.ArrowUpMatch.Found && state_.ArrowDownMatch.Found) {
    if (state_.ArrowUpMatch.X > state_.ArrowDownMatch.X)
      state_.ArrowDownMatch.Found = false;
    else
      state_.ArrowUpMatch.Found = false;
  }
  view_.lbArrowUpFound.SetFontColor(state_.ArrowUpMatch.Found ? kFoundColor : kNotFoundColor);
  view_.lbArrowDownFound.SetFontColor(state_.ArrowDownMatch.Found ? kFoundColor : kNotFoundColor);

  // Until the robot has been started once there is no pair to bet on.
  const bool robot_started = !Trim(event_.Valute).empty();
  if (state_.ArrowUpMatch.Found && event_.Direction != 1 && robot_started) {
    event_.Direction = 1;
    log_.AddStringToLog(ltUp, texts_.Text(132), true);
    event_.NewSignal = true;
  }
  if (state_.ArrowDownMatch.Found && event_.Direction != 2 && robot_started) {
    event_.Direction = 2;
    log_.AddStringToLog(ltDown, texts_.Text(133), true);
    event_.NewSignal = true;
  }
  if (state_.TerminalValute != event_.Valute && robot_started) {
    log_.AddStringToLog(ltInfo, texts_.Text(134) + event_.Valute + texts_.Text(135) + state_.TerminalValute + "]",
                        true);
    event_.Valute = Utf8Left(state_.TerminalValute, 9);
    event_.ValuteChanged = true;
    events_.ChartChanged();
  }
  state_.SnapshotState = 2;
}

}  // namespace vantrope
