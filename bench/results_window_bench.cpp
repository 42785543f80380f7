// Opening the results window on a history file of 100,000 bets: the file
// read and its figures (the core alone), and the whole window until it has
// been painted with its table, figures and curve. Runs under a virtual X
// server of its own.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>

#include "app/qt/results_window_view.h"
#include "virtual_display.h"

namespace vantrope {
namespace {

constexpr int kBets = 100'000;

class NoDialogs : public Dialogs {
 public:
  ModalResult MessageBox(const std::string&, const std::string&, DialogKind, const std::vector<DialogButton>&,
                         const std::vector<std::string>&) override {
    return ModalResult::Ok;
  }
  void ShowNotice(const std::string&, const std::string&, DialogKind) override {}
  std::optional<std::string> AskSaveFileName(const std::string&, const std::string&) override { return std::nullopt; }
};

// Bets of five pairs and three strategies, a quarter of an hour apart.
std::string WriteHistory(const QTemporaryDir& dir) {
  const std::string path = dir.filePath(QStringLiteral("history.dat")).toStdString();
  std::ofstream out(path, std::ios::binary);
  const char* pairs[] = {"frxEURUSD", "frxGBPUSD", "frxUSDJPY", "frxAUDUSD", "frxUSDCAD"};
  double balance = 10'000;
  for (int i = 0; i < kBets; ++i) {
    THistoryRecord bet;
    bet.Time = 45000 + i / 96.0;
    bet.Account = "CR100200";
    bet.Currency = "USD";
    bet.Pair = pairs[i % 5];
    bet.Period = "15m";
    bet.Strategy = static_cast<uint8_t>(i % 3);
    bet.Stake = 10;
    bet.Direction = 1 + i % 2;
    bet.Result = (i * 7919) % 100 < 52 ? 1 : 2;
    bet.BalanceAtBet = balance;
    balance += bet.Result == 1 ? 8.5 : -10;
    bet.BalanceAtResult = balance;
    const auto bytes = EncodeHistoryRecord(bet);
    out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  return path;
}

struct Fixture {
  QTemporaryDir dir;
  std::string path = WriteHistory(dir);
};

Fixture& File() {
  static Fixture fixture;
  return fixture;
}

void BM_ReadHistoryAndFigures(benchmark::State& state) {
  const std::string& path = File().path;
  for (auto _ : state) {
    ResultsWindow results;
    results.Open(path);
    benchmark::DoNotOptimize(results.Figures());
  }
}
BENCHMARK(BM_ReadHistoryAndFigures)->Unit(benchmark::kMillisecond);

void BM_OpenResultsWindow(benchmark::State& state) {
  const std::string& path = File().path;
  NoDialogs dialogs;
  for (auto _ : state) {
    ResultsWindow results;
    ResultsWindowView view(results, dialogs);
    results.Open(path);
    // Shown and painted: the table's rows, the figures and the curve.
    view.repaint();
    QApplication::processEvents();
    benchmark::DoNotOptimize(view.table().model()->rowCount());
  }
}
BENCHMARK(BM_OpenResultsWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrope

int main(int argc, char** argv) {
  vantrope::testing::VirtualDisplay display;
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
