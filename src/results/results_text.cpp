#include "results/results_text.h"

#include <array>

#include "text/date_time_format.h"
#include "text/number_format.h"

namespace vantrope {

namespace {

std::string FiguresLine(const BetFigures& f) {
  return "ставок " + std::to_string(f.count) + ", выиграно " + std::to_string(f.won) + ", проиграно " +
         std::to_string(f.lost) + ", доля выигрышей " + FormatFixed(f.win_rate, 2, '.') + " %, итог " +
         MoneyText(f.net);
}

}  // namespace

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string StrategyName(int strategy) {
  static const std::array<const char*, 7> kNames = {"Простая ставка",        "Мартингейл",  "Осторожный мартингейл",
                                                    "Адаптивный мартингейл", "Монте-Карло", "Сбалансированная",
                                                    "Седьмая стратегия"};
  return strategy >= 0 && strategy < static_cast<int>(kNames.size()) ? kNames[strategy]
                                                                     : "Стратегия " + std::to_string(strategy);
}

std::string DirectionName(int32_t direction) { return direction == 1 ? "вверх" : direction == 2 ? "вниз" : "?"; }

std::string ResultName(uint8_t result) { return result == 1 ? "выигрыш" : "проигрыш"; }

std::string BetTimeText(double time) { return FormatDateTime("yyyy-mm-dd hh:nn:ss", time); }

std::string MoneyText(double amount) { return FormatFixed(amount, 2, '.'); }

std::string CommonCurrency(const std::vector<const THistoryRecord*>& bets) {
  if (bets.empty()) return "";
  for (const THistoryRecord* bet : bets)
    if (bet->Currency != bets.front()->Currency) return "";
  return bets.front()->Currency;
}

std::string SummaryText(const std::vector<const THistoryRecord*>& bets, uint64_t unread_bytes) {
  const BetFigures f = ComputeFigures(bets);
  const std::string currency = CommonCurrency(bets);
  const std::string unit = currency.empty() ? "" : " " + currency;
  std::string text;
  text += "Ставок: " + std::to_string(f.count) + "\n";
  text += "Выиграно: " + std::to_string(f.won) + "\n";
  text += "Проиграно: " + std::to_string(f.lost) + "\n";
  text += "Доля выигрышей: " + FormatFixed(f.win_rate, 2, '.') + " %\n";
  text += "Итог: " + MoneyText(f.net) + unit + "\n";
  text += "Крупнейший выигрыш: " + MoneyText(f.largest_win) + unit + "\n";
  text += "Крупнейший проигрыш: " + MoneyText(f.largest_loss) + unit + "\n";
  text += "Самая длинная серия проигрышей: " + std::to_string(f.longest_losing_streak) + "\n";
  text += "Наибольшая просадка: " + MoneyText(f.max_drawdown) + unit + "\n";
  for (const auto& [pair, figures] : FiguresByPair(bets)) text += "Пара " + pair + ": " + FiguresLine(figures) + "\n";
  for (const auto& [strategy, figures] : FiguresByStrategy(bets))
    text += "Стратегия «" + StrategyName(strategy) + "»: " + FiguresLine(figures) + "\n";
  if (unread_bytes > 0) text += "Не прочитано байт: " + std::to_string(unread_bytes) + "\n";
  return text;
}

std::string CsvText(const std::vector<const THistoryRecord*>& bets) {
  std::string text = "\xEF\xBB\xBF";
  text += "Время,Счёт,Пара,Период,Направление,Ставка,Результат,Итог ставки,Баланс после,Валюта,Стратегия\r\n";
  for (const THistoryRecord* bet : bets) {
    const std::string fields[] = {BetTimeText(bet->Time),
                                  bet->Account,
                                  bet->Pair,
                                  bet->Period,
                                  DirectionName(bet->Direction),
                                  std::to_string(bet->Stake),
                                  ResultName(bet->Result),
                                  MoneyText(BetResult(*bet)),
                                  MoneyText(bet->BalanceAtResult),
                                  bet->Currency,
                                  StrategyName(bet->Strategy)};
    for (size_t i = 0; i < std::size(fields); ++i) text += (i > 0 ? "," : "") + CsvField(fields[i]);
    text += "\r\n";
  }
  return text;
}

}  // namespace vantrope
