// The results as text: the console summary, the CSV export, and the names
// and formats the results window shows. The window is not in the language
// pack: its texts are Russian here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "log/history_file.h"
#include "results/bet_statistics.h"

namespace vantrope {

std::string StrategyName(int strategy);
std::string DirectionName(int32_t direction);
std::string ResultName(uint8_t result);
// "2026-12-09 14:05:33": one format whatever the locale, which sorts as text
// and which spreadsheets read.
std::string BetTimeText(double time);
std::string MoneyText(double amount);
// A CSV field, quoted when it holds a separator, a quote or a line end.
std::string CsvField(const std::string& text);
// The one currency of the bets, empty when they are in several.
std::string CommonCurrency(const std::vector<const THistoryRecord*>& bets);

// One figure a line, then the same per pair and per strategy.
std::string SummaryText(const std::vector<const THistoryRecord*>& bets, uint64_t unread_bytes);

// The bets as CSV in UTF-8 (with its byte order mark, which spreadsheets
// look for), a header line first, lines ended by CR LF.
std::string CsvText(const std::vector<const THistoryRecord*>& bets);

}  // namespace vantrope
