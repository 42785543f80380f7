#include "lab/lab_settings_file.h"

#include <algorithm>
#include <variant>

#include "engine/advance_threshold.h"
#include "engine/strategy_registry.h"
#include "results/results_text.h"
#include "settings/ini_file.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

// A value as the key's editor holds it: within the limits of its field.
double EditorValue(const StrategyRow& row, const StrategyKey& key, int32_t value) {
  for (const StrategyField& field : row.fields)
    if (field.control == key.control)
      if (const std::optional<FieldRange> range = FieldLimits(field))
        return std::clamp<double>(value, range->low, range->high);
  return value;
}

StrategyParams ReadParams(const StrategyRow& row, const IniFile& ini, const std::string& section) {
  StrategyParams params;
  for (const StrategyKey& key : row.keys) {
    const double value = EditorValue(row, key, ini.ReadInteger(section, key.key, key.default_value));
    std::visit([&](auto param) { params.*param = static_cast<std::decay_t<decltype(params.*param)>>(value); },
               key.param);
  }
  return params;
}

// A page's name, or the strategy's own where the page has none (a page
// hidden from the window has none).
std::string PageName(const StrategyRow& row, const std::string& name) {
  const std::string trimmed = Trim(name);
  return trimmed.empty() ? StrategyName(row.page) : trimmed;
}

}  // namespace

const LabStrategyChoice* LabSettings::Strategy(uint8_t page) const {
  for (const LabStrategyChoice& choice : strategies)
    if (choice.page == page) return &choice;
  return nullptr;
}

LabSettings ReadLabSettings(const IniFile& ini) {
  LabSettings settings;
  for (const StrategyRow& row : StrategyRows()) {
    const std::string section = "Robot" + std::to_string(row.page);
    settings.strategies.push_back(
        {row.page, PageName(row, ini.ReadString(section, "Name", row.name)), ReadParams(row, ini, section)});
    if (ini.ReadBool(section, "Down", row.shown_by_default)) settings.shown = row.page;
  }
  settings.min_balance = ini.ReadInteger("Binary", "MinBalans", 0);
  // An index the window does not know goes back to the first, as there.
  const int32_t greed = ini.ReadInteger("Binary", "GreedPorog", 0);
  settings.advance_threshold = GreedThreshold(greed >= 0 && greed < int32_t{kGreedThresholds.size()} ? greed : 0);
  return settings;
}

LabSettings PagesLabSettings(const StrategyPages& pages, double min_balance, int32_t advance_threshold) {
  LabSettings settings;
  for (const StrategyRow& row : StrategyRows()) {
    settings.strategies.push_back(
        {row.page, PageName(row, pages.pcStrategy.PageCaption(row.page)), PageParams(row, pages)});
  }
  settings.shown = pages.StrategyIndex();
  settings.min_balance = min_balance;
  settings.advance_threshold = advance_threshold;
  return settings;
}

}  // namespace vantrope
