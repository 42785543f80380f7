#include "lab/lab_command.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "engine/strategy_registry.h"
#include "lab/lab_input_fields.h"
#include "lab/lab_job.h"
#include "lab/lab_settings_file.h"
#include "settings/ini_file.h"

namespace vantrope {

namespace {

// A value out of its range, named by its option.
struct BadValue : std::runtime_error {
  using std::runtime_error::runtime_error;
};

template <typename Number>
Number Parse(const std::string& option, const std::string& text, Number low, Number high) {
  Number value{};
  const auto [last, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || last != text.data() + text.size() || !(value >= low && value <= high))
    throw BadValue("--" + option + ": " + text);
  return value;
}

// A value within the limits the window's editor of the field has, whole
// where the editor shows no decimals.
void Take(const std::optional<std::string>& text, const std::string& option, LabInputs& inputs, LabField field) {
  if (!text) return;
  const LabInputField& limits = LabInputFieldOf(field);
  const double value = Parse(option, *text, limits.low, limits.high);
  if (limits.decimals == 0 && value != std::floor(value)) throw BadValue("--" + option + ": " + *text);
  SetLabFieldValue(inputs, field, value);
}

}  // namespace

LabCommandOutput RunLabCommand(const LabCommand& command, const std::string& settings_path) {
  LabCommandOutput output;
  try {
    const IniFile ini(settings_path);
    const LabSettings settings = ReadLabSettings(ini);
    LabInputs inputs;
    inputs.min_balance = settings.min_balance;
    inputs.advance_threshold = settings.advance_threshold;
    Take(command.runs, "runs", inputs, LabField::kRuns);
    Take(command.bets, "bets", inputs, LabField::kBets);
    Take(command.win_rate, "win-rate", inputs, LabField::kWinRate);
    Take(command.payout, "payout", inputs, LabField::kPayout);
    Take(command.balance, "balance", inputs, LabField::kBalance);
    Take(command.seed, "seed", inputs, LabField::kSeed);

    std::vector<uint8_t> pages;
    for (const std::string& text : command.strategies) {
      const auto page = Parse<int>("strategy", text, 0, 255);
      if (settings.Strategy(static_cast<uint8_t>(page)) == nullptr) throw BadValue("--strategy: " + text);
      pages.push_back(static_cast<uint8_t>(page));
    }
    // The page shown has no strategy when it is the seventh.
    if (pages.empty()) pages.push_back(settings.Strategy(settings.shown) != nullptr ? settings.shown : uint8_t{stSimpleBet});

    LabProgress progress;
    const LabOutcome outcome = RunLabJob({LabColumns(settings, pages, inputs), command.replay.value_or("")}, progress);
    if (!outcome.error.empty()) {
      output.status = 1;
      output.err = "vantrope: " + outcome.error + "\n";
      return output;
    }
    output.out = LabReportText(outcome.columns, command.replay.has_value());
  } catch (const BadValue& bad) {
    output.status = 2;
    output.err = std::string("vantrope: a value out of its range: ") + bad.what() + "\n";
  }
  return output;
}

}  // namespace vantrope
