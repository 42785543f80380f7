// The text pass on generated trading pages of 100 KB and 1 MB, and on 100 KB
// of blocks nested inside each other, whose texts all run to the same end.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "literal_text_parser.h"
#include "markup_generator.h"
#include "site/html_text_parser.h"

namespace vantrope {
namespace {

const std::string& Page(size_t bytes) {
  static const std::string page_100k = RealisticBody(100, 100 * 1024);
  static const std::string page_1m = RealisticBody(1000, 1024 * 1024);
  return bytes < 1024 * 1024 ? page_100k : page_1m;
}

const std::string& NestedBlocks() {
  static const std::string page = [] {
    std::string blocks;
    while (blocks.size() < 100 * 1024) blocks += "<div>";
    return blocks + "x</div>";
  }();
  return page;
}

template <auto Parser>
void Run(benchmark::State& state, const std::string& page) {
  // Like the main window's list, emptied but kept from one parse to the next.
  std::vector<TCatField> fields;
  for (auto _ : state) {
    fields.clear();
    TableCounters counters;
    Parser(page, counters, fields);
    benchmark::DoNotOptimize(fields.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
  state.counters["records"] = static_cast<double>(fields.size());
}

template <auto Parser>
void BM_TextPass(benchmark::State& state) {
  Run<Parser>(state, Page(static_cast<size_t>(state.range(0))));
}

template <auto Parser>
void BM_NestedBlocks(benchmark::State& state) {
  Run<Parser>(state, NestedBlocks());
}

void HtmlTextParserOf(const std::string& markup, TableCounters& counters, std::vector<TCatField>& fields) {
  HtmlTextParser(markup, counters, fields);
}

BENCHMARK(BM_TextPass<HtmlTextParserOf>)->Name("HtmlTextParser")->Arg(100 * 1024)->Arg(1024 * 1024)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NestedBlocks<HtmlTextParserOf>)->Name("HtmlTextParser/nested_blocks")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextPass<LiteralHtmlTextParser>)->Name("LiteralHtmlTextParser")->Arg(100 * 1024)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrope

BENCHMARK_MAIN();
