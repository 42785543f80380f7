#include "lab/lab_report.h"

#include <algorithm>

#include "results/results_text.h"
#include "text/number_format.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

std::string Chance(double share) { return FormatFixed(share * 100, 2, '.') + " %"; }

template <typename Value>
std::vector<std::string> Row(const std::string& label, const std::vector<LabColumn>& columns, Value value) {
  std::vector<std::string> row{label};
  for (const LabColumn& column : columns) row.push_back(value(column.figures));
  return row;
}

}  // namespace

std::string LabEndName(LabEnd end) {
  switch (end) {
    case LabEnd::kAllBets: return "все ставки сделаны";
    case LabEnd::kLossLimit: return "предел проигрыша";
    case LabEnd::kMinimumBalance: return "минимальный баланс";
    case LabEnd::kStakeBeyondBalance: return "ставка больше баланса";
    case LabEnd::kWinLimit: return "предел выигрыша";
    case LabEnd::kNoBets: return "ставки не покупаются";
  }
  return "?";
}

std::vector<std::vector<std::string>> LabFigureRows(const std::vector<LabColumn>& columns) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> names{"Стратегия"};
  for (const LabColumn& column : columns) names.push_back(column.name);
  rows.push_back(names);
  rows.push_back(Row("Прогонов", columns, [](const LabFigures& f) { return std::to_string(f.runs); }));
  rows.push_back(Row("Ставок за прогон", columns, [](const LabFigures& f) { return FormatFixed(f.mean_bets, 1, '.'); }));
  rows.push_back(Row("Вероятность разорения", columns, [](const LabFigures& f) { return Chance(f.ruin_chance); }));
  for (int end = 0; end < kLabEndCount; ++end)
    rows.push_back(Row("Конец: " + LabEndName(static_cast<LabEnd>(end)), columns,
                       [end](const LabFigures& f) { return Chance(f.end_chance[static_cast<size_t>(end)]); }));
  rows.push_back(Row("Цепочка дошла до максимальной ставки", columns,
                     [](const LabFigures& f) { return Chance(f.stake_over_ceiling_chance); }));
  for (size_t i = 0; i < kLabPercentiles.size(); ++i)
    rows.push_back(Row("Итоговый баланс, " + std::to_string(kLabPercentiles[i]) + " %", columns,
                       [i](const LabFigures& f) { return MoneyText(f.final_balance[i]); }));
  for (size_t i = 0; i < kLabPercentiles.size(); ++i)
    rows.push_back(Row("Наибольшая просадка, " + std::to_string(kLabPercentiles[i]) + " %", columns,
                       [i](const LabFigures& f) { return MoneyText(f.max_drawdown[i]); }));
  rows.push_back(Row("Наибольшая ставка", columns, [](const LabFigures& f) { return std::to_string(f.largest_stake); }));
  rows.push_back(Row("Ожидаемый итог ставки", columns, [](const LabFigures& f) { return FormatFixed(f.expected_per_bet, 4, '.'); }));
  rows.push_back(Row("Доля выигрышей", columns, [](const LabFigures& f) { return Chance(f.win_share); }));
  rows.push_back(Row("Самая длинная серия проигрышей", columns,
                     [](const LabFigures& f) { return std::to_string(f.longest_losing_streak); }));
  return rows;
}

std::string LabInputsText(const LabInputs& inputs, bool replay) {
  std::string text = "Баланс " + MoneyText(inputs.balance) + ", выплата " + FormatFixed(inputs.payout, 1, '.') +
                     " %, порог аванса " + std::to_string(inputs.advance_threshold) + " %, минимальный баланс " +
                     MoneyText(inputs.min_balance);
  if (inputs.win_limit > 0) text += ", предел выигрыша " + MoneyText(inputs.win_limit);
  if (inputs.loss_limit > 0) text += ", предел проигрыша " + MoneyText(inputs.loss_limit);
  if (replay) return text + ", ставки истории";
  return text + ", вероятность выигрыша " + FormatFixed(inputs.win_rate * 100, 1, '.') + " %, ставок " +
         std::to_string(inputs.bets) + ", прогонов " + std::to_string(inputs.runs) + ", зерно " +
         std::to_string(inputs.seed);
}

std::string LabReportText(const std::vector<LabColumn>& columns, bool replay) {
  std::string text = columns.empty() ? "" : LabInputsText(columns.front().inputs, replay) + "\n";
  const std::vector<std::vector<std::string>> rows = LabFigureRows(columns);
  std::vector<size_t> widths(columns.size() + 1, 0);
  for (const auto& row : rows)
    for (size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], Utf8Length(row[i]));
  for (const auto& row : rows) {
    std::string line = Utf8PadRight(row[0], widths[0]);
    // The figures aligned to the right of their columns.
    for (size_t i = 1; i < row.size(); ++i)
      line += "  " + std::string(widths[i] - Utf8Length(row[i]), ' ') + row[i];
    text += line + "\n";
  }
  return text;
}

std::string LabCsv(const std::vector<LabColumn>& columns) {
  std::string text = "\xEF\xBB\xBF";
  const auto line = [&text](const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) text += (i > 0 ? "," : "") + CsvField(fields[i]);
    text += "\r\n";
  };
  for (const auto& row : LabFigureRows(columns)) line(row);
  text += "\r\n";
  line({"Стратегия", "Прогон", "Конец", "Итоговый баланс", "Ставок", "Выиграно", "Наибольшая ставка",
        "Наибольшая просадка", "Серия проигрышей"});
  for (const LabColumn& column : columns)
    for (size_t run = 0; run < column.result.runs.size(); ++run) {
      const LabRun& r = column.result.runs[run];
      line({column.name, std::to_string(run + 1), LabEndName(r.end), MoneyText(r.final_balance), std::to_string(r.bets),
            std::to_string(r.won), std::to_string(r.largest_stake), MoneyText(r.max_drawdown),
            std::to_string(r.longest_losing_streak)});
    }
  return text;
}

}  // namespace vantrope
