// The page work of the real browser on pages of 100 KB and 2 MB: one write
// and one click run on the page as one batch, and a read of the document
// with its parse into page fields. Each reports, beside its time, the longest
// the program's event loop went without turning (a 1 ms timer's largest gap):
// that long the window could not have answered the user.
// Runs under a virtual X server of its own, with Qt WebEngine.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <map>
#include <memory>

#include "site/document_fields.h"
#include "site/webengine/webengine_browser.h"
#include "virtual_display.h"

namespace vantrope {
namespace {

constexpr int kWaitMs = 30000;

// A trading form ahead of rows of text, about `bytes` long.
std::string Page(size_t bytes) {
  std::string page =
      "<html><body><form id='f'><input id='amount' name='amount' type='text' value='1'>"
      "<input id='buy' name='buy' type='button' value='Buy' onclick=\"document.title='clicked'\"></form>";
  for (int row = 0; page.size() < bytes; ++row)
    page += "<div class='row'><span>Line " + std::to_string(row) + "</span> <b>some text of the page</b></div>\n";
  return page + "</body></html>";
}

// The largest gap between the turns of the event loop while it lives.
class LoopGapMeter {
 public:
  LoopGapMeter() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      longest_ms_ = std::max(longest_ms_, static_cast<double>(since_.nsecsElapsed()) / 1e6);
      since_.restart();
    });
    since_.start();
    timer_.start();
  }
  double LongestMs() const { return longest_ms_; }

 private:
  QTimer timer_;
  QElapsedTimer since_;
  double longest_ms_ = 0;
};

class BrowserOnPage {
 public:
  explicit BrowserOnPage(size_t bytes) {
    const QString path = dir_.filePath(QStringLiteral("page.html"));
    std::ofstream(path.toStdString()) << Page(bytes);
    browser_.View()->resize(800, 600);
    browser_.View()->show();
    bool loaded = false;
    browser_.onDocumentComplete = [&] { loaded = true; };
    browser_.Navigate("file://" + path.toStdString());
    if (!QTest::qWaitFor([&] { return loaded && !browser_.Busy(); }, kWaitMs)) throw std::runtime_error("no page");
    browser_.onDocumentComplete = nullptr;
  }
  WebEngineBrowser& Browser() { return browser_; }

 private:
  QTemporaryDir dir_;
  WebEngineBrowser browser_;
};

// The browsers on their pages, loaded once each; main() owns them, so that
// they go before the application.
std::map<size_t, std::unique_ptr<BrowserOnPage>>* loaded_pages = nullptr;

WebEngineBrowser& BrowserOn(size_t bytes) {
  std::unique_ptr<BrowserOnPage>& page = (*loaded_pages)[bytes];
  if (!page) page = std::make_unique<BrowserOnPage>(bytes);
  return page->Browser();
}

// Turns the event loop until the page's answer comes; a test's wait would
// sleep between its looks and stretch both the time and the gaps.
template <typename Answer>
void AwaitAnswer(const Answer& answer, QEventLoop& loop) {
  if (answer.has_value()) return;
  QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
  loop.exec();
  if (!answer.has_value()) throw std::runtime_error("no answer");
}

void BM_WriteAndClick(benchmark::State& state) {
  WebEngineBrowser& browser = BrowserOn(static_cast<size_t>(state.range(0)));
  LoopGapMeter gaps;
  int round = 0;
  for (auto _ : state) {
    std::vector<DomAction> actions(2);
    actions[0] = {DomAction::Kind::SetValue, "amount", "amount", "text", std::to_string(++round), false};
    actions[1] = {DomAction::Kind::Click, "buy", "buy", "button", "", true};
    std::optional<std::vector<DomActionResult>> results;
    QEventLoop loop;
    browser.RunActions(std::move(actions), [&](std::vector<DomActionResult> r) {
      results = std::move(r);
      loop.quit();
    });
    AwaitAnswer(results, loop);
    if ((*results)[1].count != 1) state.SkipWithError("the click did not take");
  }
  state.counters["longest_gap_ms"] = gaps.LongestMs();
}

void BM_ReadAndParse(benchmark::State& state) {
  WebEngineBrowser& browser = BrowserOn(static_cast<size_t>(state.range(0)));
  LoopGapMeter gaps;
  std::vector<TCatField> fields;
  for (auto _ : state) {
    std::optional<bool> parsed;
    QEventLoop loop;
    browser.ReadDocument([&](std::optional<DomDocument> document) {
      fields.clear();
      TableCounters counters;
      if (document) ParseDocumentFields(*document, counters, fields);
      parsed = document.has_value();
      loop.quit();
    });
    AwaitAnswer(parsed, loop);
    if (!*parsed) state.SkipWithError("the page did not answer");
  }
  state.counters["records"] = static_cast<double>(fields.size());
  state.counters["longest_gap_ms"] = gaps.LongestMs();
}

BENCHMARK(BM_WriteAndClick)->Arg(100 << 10)->Arg(2 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadAndParse)->Arg(100 << 10)->Arg(2 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int RunBenchmarks(int& argc, char** argv) {
  std::map<size_t, std::unique_ptr<BrowserOnPage>> pages;
  loaded_pages = &pages;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace vantrope

int main(int argc, char** argv) {
  vantrope::testing::VirtualDisplay display;
  qputenv("QT_QPA_PLATFORM", "xcb");
  qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  return vantrope::RunBenchmarks(argc, argv);
}
