// The strategy rows describe whole pages: what the settings file keeps is
// what the page shows, and the editors a row names for its own work are on
// its page. A row that misses one leaves a parameter the user cannot see.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/strategy_registry.h"

namespace vantrope {
namespace {

using Kind = StrategyField::Kind;

int FieldsWith(const StrategyRow& row, const StrategyKey::Control& control, Kind kind) {
  return static_cast<int>(std::count_if(row.fields.begin(), row.fields.end(), [&](const StrategyField& field) {
    return field.control == control && field.kind == kind;
  }));
}

TEST(StrategyRegistryTest, EveryPageShowsWhatItsRowKeepsAndWorksOn) {
  for (const StrategyRow& row : StrategyRows()) {
    SCOPED_TRACE(row.page);
    for (const StrategyKey& key : row.keys) {
      const auto shows = [&](const StrategyField& field) { return field.control == key.control; };
      EXPECT_EQ(std::count_if(row.fields.begin(), row.fields.end(), shows), 1) << key.key << " is shown once";
    }
    for (const StrategyField& field : row.fields) {
      EXPECT_EQ(field.label == nullptr, field.kind == Kind::kCheck) << "a label beside every editor, none beside a box";
      EXPECT_EQ(field.max_count > 1, field.kind == Kind::kCount) << "a count, and only a count, has its limit";
    }
    EXPECT_FALSE(!row.fields.empty() && row.fields.back().beside_next) << "the last field has none beside it";
    if (row.written != nullptr) {
      EXPECT_EQ(FieldsWith(row, row.written, Kind::kThreshold), 1) << "the editor the strategy writes is read-only";
    }
    if (row.deposit) {
      EXPECT_EQ(FieldsWith(row, row.deposit->deposit, Kind::kDeposit), 1);
      EXPECT_EQ(FieldsWith(row, row.deposit->stake, Kind::kStake), 1);
      EXPECT_EQ(FieldsWith(row, row.deposit->length, Kind::kCount), 1);
    }
  }
}

}  // namespace
}  // namespace vantrope
