#include "engine/strategy_registry.h"

#include "strategy/strategies.h"
#include "ui/money.h"

namespace vantrope {

namespace {

using P = StrategyPages;
using S = StrategyParams;

int32_t Rounded(double value) { return RoundHalfEvenTo<int32_t>(value); }

}  // namespace

const std::vector<StrategyRow>& StrategyRows() {
  // clang-format off
  static const std::vector<StrategyRow> rows = {
      {stSimpleBet, rsSimpleBet, "Простая ставка", true,
       {{"BetSize", &P::neBot0BetSize, &S::BetSize, 3},
        {"BetCount", &P::speBot0BetCount, &S::BetCount, 2},
        {"ReBet", &P::cbBot0ReBet, &S::ReBet, 0}},
       nullptr, nullptr,
       [](const S& p) { return std::array<int32_t, 8>{Rounded(p.BetSize), p.ReBet ? 1 : 0, p.BetCount}; },
       &MakeSimpleBet, std::nullopt},
      {stMartingale, rsMartingale, "Мартингейл", false,
       {{"ChainCount", &P::speBot1ChainCount, &S::ChainCount, 2},
        {"BetCount", &P::speBot1BetCount, &S::BetCount, 5},
        {"BetSize", &P::neBot1BetSize, &S::BetSize, 3}},
       nullptr, nullptr,
       [](const S& p) { return std::array<int32_t, 8>{Rounded(p.BetSize), p.ChainCount, p.BetCount}; },
       &MakeMartingale, StrategyRow::FollowSteps{2, 4}},
      {stCautiousMartingale, rsCautiousMartingale, "Осторожный мартингейл", false,
       {{"BetCount", &P::speBot2BetCount, &S::BetCount, 2},
        {"ChainCount", &P::speBot2ChainCount, &S::ChainCount, 5},
        {"BetSize", &P::neBot2BetSize, &S::BetSize, 3}},
       nullptr, nullptr,
       [](const S& p) { return std::array<int32_t, 8>{Rounded(p.BetSize), p.BetCount, p.ChainCount}; },
       &MakeCautiousMartingale, StrategyRow::FollowSteps{3, 5}, true},
      {stAdaptiveMartingale, rsAdaptiveMartingale, "Адаптивный мартингейл", false,
       {{"ChainCount", &P::speBot3ChainCount, &S::ChainCount, 5},
        {"BetSize", &P::neBot3BetSize, &S::BetSize, 3}},
       nullptr, nullptr,
       [](const S& p) { return std::array<int32_t, 8>{Rounded(p.BetSize), p.ChainCount}; },
       &MakeAdaptiveMartingale, StrategyRow::FollowSteps{4, 6}, true},
      {stMonteCarlo, rsMonteCarlo, "Монте-Карло", false,
       {{"ChainCount", &P::speBot4ChainCount, &S::ChainCount, 2},
        {"BetCount", &P::speBot4BetCount, &S::BetCount, 5},
        {"BetSize", &P::neBot4BetSize, &S::BetSize, 3}},
       nullptr, nullptr,
       [](const S& p) { return std::array<int32_t, 8>{Rounded(p.BetSize), p.BetCount, p.ChainCount}; },
       &MakeMonteCarlo, StrategyRow::FollowSteps{2, 4}},
      {stBalanced, rsBalanced, "", false,
       {{"WinLimit", &P::neBot5WinLimit, &S::WinLimit, 6},
        {"LoseLimit", &P::neBot5LoseLimit, &S::LoseLimit, 6},
        {"BetSize", &P::neBot5BetSize, &S::BetSize, 3},
        {"BetCount", &P::speBot5BetCount, &S::BetCount, 2},
        {"AutoDirect", &P::cbBot5ChangeDirection, &S::AutoDirect, 0}},
       &P::neBot5Porog, &S::Porog,
       [](const S& p) {
         return std::array<int32_t, 8>{Rounded(p.WinLimit), Rounded(p.LoseLimit), p.BetCount, Rounded(p.Porog)};
       },
       &MakeBalanced, std::nullopt},
  };
  // clang-format on
  return rows;
}

const StrategyRow* StrategyOfPage(uint8_t page) {
  for (const StrategyRow& row : StrategyRows())
    if (row.page == page) return &row;
  return nullptr;
}

const StrategyRow* StrategyOfStatus(TRobotStatus status) {
  for (const StrategyRow& row : StrategyRows())
    if (row.status == status) return &row;
  return nullptr;
}

StrategyParams PageParams(const StrategyRow& row, const StrategyPages& pages) {
  StrategyParams params;
  for (const StrategyKey& key : row.keys) {
    std::visit(
        [&](auto control) {
          const auto value = [&] {
            if constexpr (std::is_same_v<decltype(control), ui::CheckBox StrategyPages::*>)
              return (pages.*control).Checked();
            else
              return (pages.*control).Value();
          }();
          std::visit([&](auto param) { params.*param = static_cast<std::decay_t<decltype(params.*param)>>(value); },
                     key.param);
        },
        key.control);
  }
  if (row.written != nullptr) params.*row.written_param = (pages.*row.written).Value();
  return params;
}

std::array<int32_t, 8> HistoryParams(const StrategyPages& pages) {
  const StrategyRow* row = StrategyOfPage(pages.StrategyIndex());
  return row == nullptr ? std::array<int32_t, 8>{} : row->history(PageParams(*row, pages));
}

}  // namespace vantrope
