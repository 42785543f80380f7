// The inputs the lab's strategies share, as a window's editors show them:
// each with its caption, its limits and the unit it is shown in.
#pragma once

#include <array>
#include <cstdint>

#include "lab/lab_inputs.h"

namespace vantrope {

enum class LabField : uint8_t {
  kBalance,
  kPayout,
  kAdvanceThreshold,
  kMinBalance,
  kWinLimit,
  kLossLimit,
  kWinRate,
  kBets,
  kRuns,
  kSeed,
};
inline constexpr int kLabFieldCount = 10;

struct LabInputField {
  LabField field;
  const char* caption;
  const char* suffix;  // after the value, with its space
  // Shown instead of the lowest value where that means none; empty otherwise.
  const char* none_text;
  double low, high;
  int decimals;
  // A replay makes one run of the history's own bets and outcomes.
  bool monte_carlo_only;
};

// In the order the window lays them out, by LabField.
const std::array<LabInputField, kLabFieldCount>& LabInputFields();
const LabInputField& LabInputFieldOf(LabField field);

// A value as its editor shows it (the win rate in percent).
double LabFieldValue(const LabInputs& inputs, LabField field);
// Sets it from the editor's value, kept within the field's limits.
void SetLabFieldValue(LabInputs& inputs, LabField field, double value);

}  // namespace vantrope
