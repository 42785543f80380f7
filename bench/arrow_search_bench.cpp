// A full arrow search (both colours: mask, template, scan) on strips of
// 128 x 600 and 128 x 1600, with and without arrows, beside the literal
// byte-by-byte search and, where OpenCV is installed, its template matching.
#include <benchmark/benchmark.h>

#include <random>

#include "arrow_drawing.h"
#include "literal_arrow_search.h"
#include "terminal/arrow_scanner.h"
#ifdef VANTROPE_BENCH_OPENCV
#include <opencv2/imgproc.hpp>
#endif

namespace vantrope::testing {
namespace {

constexpr int kGreenShift = 8, kRedShift = 0;

// A chart's strip: dark background, candles in colours near but never equal
// to the arrows', and, when asked, one arrow of each colour.
Bitmap ChartStrip(int height, bool with_arrows) {
  Bitmap strip = Strip(height, ui::Rgb(0, 0, 0));
  std::mt19937 random(7);
  for (int bar = 0; bar < 14; ++bar) {
    const int x = 4 + bar * 8, top = static_cast<int>(random() % (height / 2)), length = 20 + random() % 80;
    const ui::Color color = bar % 2 ? ui::Rgb(0, 200, 0) : ui::Rgb(200, 0, 0);
    for (int y = top; y < top + length && y < height; ++y)
      for (int dx = 0; dx < 5; ++dx) strip.SetPixel(x + dx, y, color);
  }
  if (with_arrows) {
    DrawArrow(strip, 60, height / 3, true, kGreen);
    DrawArrow(strip, 68, height / 4, false, kRed);
  }
  return strip;
}

const Bitmap& StripOf(int height, bool with_arrows) {
  static const Bitmap strips[2][2] = {{ChartStrip(600, false), ChartStrip(600, true)},
                                      {ChartStrip(1600, false), ChartStrip(1600, true)}};
  return strips[height > 600][with_arrows];
}

const Bitmap& Picture(bool up) {
  static const Bitmap up_picture = TemplatePicture(true), down_picture = TemplatePicture(false);
  return up ? up_picture : down_picture;
}

void Scanner(benchmark::State& state) {
  const Bitmap& strip = StripOf(static_cast<int>(state.range(0)), state.range(1));
  ArrowScanner scanner;
  for (auto _ : state) {
    scanner.BuildMask(strip, kGreen);
    scanner.BuildTemplate(Picture(true), 10, 8, kGreenShift);
    benchmark::DoNotOptimize(scanner.FindObject(10, 8));
    scanner.BuildMask(strip, kRed);
    scanner.BuildTemplate(Picture(false), 10, 8, kRedShift);
    benchmark::DoNotOptimize(scanner.FindObject(10, 8));
  }
}

void Literal(benchmark::State& state) {
  const Bitmap& strip = StripOf(static_cast<int>(state.range(0)), state.range(1));
  for (auto _ : state) {
    benchmark::DoNotOptimize(LiteralArrowSearch(strip, kGreen, Picture(true), 10, 8, kGreenShift));
    benchmark::DoNotOptimize(LiteralArrowSearch(strip, kRed, Picture(false), 10, 8, kRedShift));
  }
}

#ifdef VANTROPE_BENCH_OPENCV
// Squared differences of 0/255 cells count the unequal cells; the last
// placement inside the margins with enough equal cells wins, as in the scan.
TArrowMatch OpenCvSearch(const Bitmap& strip, ui::Color color, bool up) {
  cv::Mat mask(strip.Height(), 128, CV_8U), templ(8, 10, CV_8U), result;
  for (int y = 0; y < strip.Height(); ++y)
    for (int x = 0; x < 128; ++x) mask.at<uint8_t>(y, x) = strip.Pixel(x, y) == color ? 255 : 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) templ.at<uint8_t>(y, x) = ShapeOf(up)[y][x] == '#' ? 255 : 0;
  cv::matchTemplate(mask, templ, result, cv::TM_SQDIFF);
  TArrowMatch match;
  for (int x = 0; x <= 128 - 16 - 10; ++x)
    for (int y = 0; y <= strip.Height() - 8 - 16; ++y) {
      const int equal = 80 - static_cast<int>(result.at<float>(y, x) / (255.0f * 255.0f) + 0.5f);
      if (equal >= 64) match = {true, equal / 0.8f, static_cast<uint16_t>(x), static_cast<uint16_t>(y)};
    }
  return match;
}

void OpenCv(benchmark::State& state) {
  const Bitmap& strip = StripOf(static_cast<int>(state.range(0)), state.range(1));
  for (auto _ : state) {
    benchmark::DoNotOptimize(OpenCvSearch(strip, kGreen, true));
    benchmark::DoNotOptimize(OpenCvSearch(strip, kRed, false));
  }
}
BENCHMARK(OpenCv)->ArgsProduct({{600, 1600}, {0, 1}})->ArgNames({"height", "arrows"})->Unit(benchmark::kMicrosecond);
#endif

BENCHMARK(Scanner)->ArgsProduct({{600, 1600}, {0, 1}})->ArgNames({"height", "arrows"})->Unit(benchmark::kMicrosecond);
BENCHMARK(Literal)->ArgsProduct({{600, 1600}, {0, 1}})->ArgNames({"height", "arrows"})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantrope::testing

BENCHMARK_MAIN();
