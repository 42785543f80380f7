#include "lab/lab_input_fields.h"

#include <algorithm>
#include <cmath>

namespace vantrope {

namespace {

constexpr double kMostMoney = 1e9;

constexpr std::array<LabInputField, kLabFieldCount> kFields = {{
    {LabField::kBalance, "Начальный баланс", "", "", 1, kMostMoney, 2, false},
    {LabField::kPayout, "Выплата за выигрыш", " %", "", 1, 500, 1, false},
    {LabField::kAdvanceThreshold, "Порог аванса", " %", "", 1, 100, 0, false},
    {LabField::kMinBalance, "Минимальный баланс", "", "", 0, kMostMoney, 2, false},
    {LabField::kWinLimit, "Предел выигрыша", "", "нет", 0, kMostMoney, 2, false},
    {LabField::kLossLimit, "Предел проигрыша", "", "нет", 0, kMostMoney, 2, false},
    {LabField::kWinRate, "Вероятность выигрыша", " %", "", 0, 100, 1, true},
    {LabField::kBets, "Ставок за прогон", "", "", 1, 100'000, 0, true},
    // Each run keeps its balance path: 100,000 runs take about 80 MB a strategy.
    {LabField::kRuns, "Прогонов", "", "", 1, 100'000, 0, true},
    {LabField::kSeed, "Зерно случайных чисел", "", "", 0, 999'999'999, 0, true},
}};

int Whole(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

const std::array<LabInputField, kLabFieldCount>& LabInputFields() { return kFields; }

const LabInputField& LabInputFieldOf(LabField field) { return kFields[static_cast<size_t>(field)]; }

double LabFieldValue(const LabInputs& inputs, LabField field) {
  switch (field) {
    case LabField::kBalance: return inputs.balance;
    case LabField::kPayout: return inputs.payout;
    case LabField::kAdvanceThreshold: return inputs.advance_threshold;
    case LabField::kMinBalance: return inputs.min_balance;
    case LabField::kWinLimit: return inputs.win_limit;
    case LabField::kLossLimit: return inputs.loss_limit;
    case LabField::kWinRate: return inputs.win_rate * 100;
    case LabField::kBets: return inputs.bets;
    case LabField::kRuns: return inputs.runs;
    case LabField::kSeed: return static_cast<double>(inputs.seed);
  }
  return 0;
}

void SetLabFieldValue(LabInputs& inputs, LabField field, double value) {
  const LabInputField& limits = LabInputFieldOf(field);
  value = std::clamp(value, limits.low, limits.high);
  switch (field) {
    case LabField::kBalance: inputs.balance = value; return;
    case LabField::kPayout: inputs.payout = value; return;
    case LabField::kAdvanceThreshold: inputs.advance_threshold = Whole(value); return;
    case LabField::kMinBalance: inputs.min_balance = value; return;
    case LabField::kWinLimit: inputs.win_limit = value; return;
    case LabField::kLossLimit: inputs.loss_limit = value; return;
    case LabField::kWinRate: inputs.win_rate = value / 100; return;
    case LabField::kBets: inputs.bets = Whole(value); return;
    case LabField::kRuns: inputs.runs = Whole(value); return;
    case LabField::kSeed: inputs.seed = static_cast<uint64_t>(std::llround(value)); return;
  }
}

}  // namespace vantrope
