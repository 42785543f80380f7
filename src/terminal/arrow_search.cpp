// After each capture: both arrows searched, the newer one raising its
// signal once per direction, and the bet pair following the chart.
#include "app/main_form.h"
#include "app/pixmap_reader.h"
#include "app/resources.h"
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

void TMainForm::LoadArrowTemplates() {
  for (auto [picture, name] : {std::pair{&imUpPicture, "UP"}, std::pair{&imDownPicture, "DOWN"}}) {
    const std::vector<uint8_t>* bytes = FindResource("BITMAP", name);
    *picture = bytes ? ReadPixmap(*bytes).value_or(Bitmap()) : Bitmap();
  }
}

TArrowMatch TMainForm::SearchArrow(const Bitmap& picture, const ui::Image& image, ui::Color color,
                                   int component_shift) {
  ArrowSearch.BuildMask(Snapshot, color);
  ArrowSearch.BuildTemplate(picture, image.Width(), image.Height(), component_shift);
  return FindObject(static_cast<uint8_t>(image.Width()), static_cast<uint8_t>(image.Height()));
}

void TMainForm::ShowArrowLabel(ui::Label& label, const TArrowMatch& match) {
  label.SetCaption(match.Found ? " " + Txt(131) + " " + FormatFixed(match.Score, 1, platform.clock.DecimalSeparator()) + "%"
                               : " " + Txt(86));
}

void TMainForm::SearchImage() {
  ArrowUpMatch = SearchArrow(imUpPicture, imUp, kUpColor, kGreenShift);
  ArrowDownMatch = SearchArrow(imDownPicture, imDown, kDownColor, kRedShift);

  fmDebug.Image1.EditPicture([this](Bitmap& picture) {
    if (ArrowUpMatch.Found) Outline(picture, ArrowUpMatch, imUp.Width(), imUp.Height());
    if (ArrowDownMatch.Found) Outline(picture, ArrowDownMatch, imDown.Width(), imDown.Height());
  });
  ShowArrowLabel(fmDebug.lbArrowUpFound, ArrowUpMatch);
  ShowArrowLabel(fmDebug.lbArrowDownFound, ArrowDownMatch);

  // Both found: the one further right stands on the newer bar; down wins a tie.
  if (ArrowUpMatch.Found && ArrowDownMatch.Found) {
    if (ArrowUpMatch.X > ArrowDownMatch.X)
      ArrowDownMatch.Found = false;
    else
      ArrowUpMatch.Found = false;
  }
  fmDebug.lbArrowUpFound.SetFontColor(ArrowUpMatch.Found ? kFoundColor : kNotFoundColor);
  fmDebug.lbArrowDownFound.SetFontColor(ArrowDownMatch.Found ? kFoundColor : kNotFoundColor);

  // Until the robot has been started once there is no pair to bet on.
  const bool robot_started = !Trim(EVENT.Valute).empty();
  if (ArrowUpMatch.Found && EVENT.Direction != 1 && robot_started) {
    EVENT.Direction = 1;
    AddStringToLog(ltUp, Txt(132), true);
    EVENT.NewSignal = true;
  }
  if (ArrowDownMatch.Found && EVENT.Direction != 2 && robot_started) {
    EVENT.Direction = 2;
    AddStringToLog(ltDown, Txt(133), true);
    EVENT.NewSignal = true;
  }
  if (TerminalValute != EVENT.Valute && robot_started) {
    AddStringToLog(ltInfo, Txt(134) + EVENT.Valute + Txt(135) + TerminalValute + "]", true);
    EVENT.Valute = Utf8Left(TerminalValute, 9);
    EVENT.ValuteChanged = true;
    if (BetOnStatus == 7) BetOnStatus = 6;
  }
  SnapshotState = 2;
}

}  // namespace vantrope
