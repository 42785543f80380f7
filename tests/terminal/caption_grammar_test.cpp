#include "terminal/caption_grammar.h"

#include <gtest/gtest.h>

namespace vantrope {
namespace {

struct Example {
  const char* caption;
  const char* code;
  const char* display;
  const char* timeframe;  // null: none parsed
};

TEST(CaptionGrammar, TheTerminalsCaptions) {
  const Example examples[] = {
      {"1000200: Demo - [EURUSD,M15]", "frxEURUSD", "EUR/USD", "M15"},
      {"x [GBPJPY,H4]", "frxGBPJPY", "GBP/JPY", "H4"},
      {"x [USDCAD,Daily]", "frxUSDCAD", "USD/CAD", "DAILY"},
      {"x [EURUSDpro,M5]", "frxEURUSD", "EUR/USD", "M5"},
      {"x [EURUSD,W1]", "frxEURUSD", "EUR/USD", "W1"},
      {"MetaTrader 4", "frx", "/", nullptr},
      {"x [EURUSD,M15", "frxEURUSD", "EUR/USD", nullptr},
      {"x [EUR", "frxEU", "EU/", nullptr},  // the run never takes the last character
      {"x [", "frx", "/", nullptr},
      {"x [EU_R]US,m1] [GBPUSD,H1]", "frxEU_R]U", "EU_/R]U", "M1"},
      {"x [AB1,M30]", "frxAB", "AB/", ",M30"},  // the digit ends the run
      {"x [ÄÖÜEUR,H1]", "frxÄÖÜEUR", "ÄÖÜ/EUR", "H1"},
  };
  for (const Example& e : examples) {
    const TerminalCaption parsed = ParseTerminalCaption(e.caption);
    const std::string code = InstrumentCodeOfPairRun(parsed.pair_run);
    EXPECT_EQ(code, e.code) << e.caption;
    EXPECT_EQ(PairDisplayName(code), e.display) << e.caption;
    if (e.timeframe) {
      EXPECT_EQ(parsed.timeframe, e.timeframe) << e.caption;
    } else {
      EXPECT_FALSE(parsed.timeframe) << e.caption;
    }
  }
}

TEST(CaptionGrammar, TimeframeReachesTwoHundredFiftyCharacters) {
  const std::string near = "x [EURUSD," + std::string(249, 'M') + "]";
  EXPECT_TRUE(ParseTerminalCaption(near).timeframe);
  const std::string far = "x [EURUSD," + std::string(250, 'M') + "]";
  EXPECT_FALSE(ParseTerminalCaption(far).timeframe);
}

TEST(CaptionGrammar, TimeframeTable) {
  EXPECT_EQ(PeriodOfTimeframe("M1")->period, 1);
  EXPECT_EQ(PeriodOfTimeframe("M30")->period, 30);
  EXPECT_EQ(PeriodOfTimeframe("H4")->unit, "h");
  EXPECT_EQ(PeriodOfTimeframe("DAILY")->unit, "d");
  for (const char* other : {"W1", "MN", "M2", "m1", "", "H1 "}) EXPECT_FALSE(PeriodOfTimeframe(other)) << other;
}

}  // namespace
}  // namespace vantrope
