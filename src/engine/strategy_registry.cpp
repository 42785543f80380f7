#include "engine/strategy_registry.h"

#include "strategy/extended_math.h"
#include "strategy/strategies.h"
#include "ui/money.h"

namespace vantrope {

namespace {

using P = StrategyPages;
using S = StrategyParams;

int32_t Rounded(double value) { return RoundHalfEvenTo<int32_t>(value); }

}  // namespace

const std::vector<StrategyRow>& StrategyRows() {
  using K = StrategyField::Kind;
  // clang-format off
  static const std::vector<StrategyRow> rows = {
      {.page = stSimpleBet, .status = rsSimpleBet, .name = "Простая ставка", .shown_by_default = true,
       .keys = {{"BetSize", &P::neBot0BetSize, &S::BetSize, 3},
                {"BetCount", &P::speBot0BetCount, &S::BetCount, 2},
                {"ReBet", &P::cbBot0ReBet, &S::ReBet, 0}},
       .fields = {{K::kStake, &P::neBot0BetSize, &P::lbBot0BetSize, 50, 51},
                  {K::kCheck, &P::cbBot0ReBet, nullptr, 52, 53},
                  {K::kCount, &P::speBot0BetCount, &P::lbBot0BetCount, 54, 55, 20}},
       .history = [](const S& p) { return std::array<int32_t, 8>{Rounded(p.BetSize), p.ReBet ? 1 : 0, p.BetCount}; },
       .make = &MakeSimpleBet, .limit_notice = {.title = 111, .kind = DialogKind::Warning}},
      {.page = stMartingale, .status = rsMartingale, .name = "Мартингейл",
       .keys = {{"ChainCount", &P::speBot1ChainCount, &S::ChainCount, 2},
                {"BetCount", &P::speBot1BetCount, &S::BetCount, 5},
                {"BetSize", &P::neBot1BetSize, &S::BetSize, 3}},
       .fields = {{K::kDeposit, &P::neBot1MinDeposit, &P::lbBot1MinDeposit, 56, 60},
                  {K::kCount, &P::speBot1ChainCount, &P::lbBot1ChainCount, 57, 61, 9},
                  {K::kCount, &P::speBot1BetCount, &P::lbBot1BetCount, 58, 62, 99},
                  {K::kStake, &P::neBot1BetSize, &P::lbBot1BetSize, 59, 63}},
       .deposit = StrategyRow::Deposit{&P::neBot1BetSize, &P::speBot1BetCount, &P::neBot1MinDeposit},
       .history = [](const S& p) { return std::array<int32_t, 8>{Rounded(p.BetSize), p.ChainCount, p.BetCount}; },
       .make = &MakeMartingale, .follow = StrategyRow::FollowSteps{2, 4}},
      {.page = stCautiousMartingale, .status = rsCautiousMartingale, .name = "Осторожный мартингейл",
       .keys = {{"BetCount", &P::speBot2BetCount, &S::BetCount, 2},
                {"ChainCount", &P::speBot2ChainCount, &S::ChainCount, 5},
                {"BetSize", &P::neBot2BetSize, &S::BetSize, 3}},
       .fields = {{K::kDeposit, &P::neBot2MinDeposit, &P::lbBot2MinDeposit, 56, 60},
                  {K::kCount, &P::speBot2BetCount, &P::lbBot2BetCount, 54, 55, 9},
                  {K::kCount, &P::speBot2ChainCount, &P::lbBot2ChainCount, 58, 62, 99},
                  {K::kStake, &P::neBot2BetSize, &P::lbBot2BetSize, 59, 63}},
       .deposit = StrategyRow::Deposit{&P::neBot2BetSize, &P::speBot2ChainCount, &P::neBot2MinDeposit},
       .history = [](const S& p) { return std::array<int32_t, 8>{Rounded(p.BetSize), p.BetCount, p.ChainCount}; },
       .make = &MakeCautiousMartingale, .follow = StrategyRow::FollowSteps{3, 5}, .chain_in_games = true},
      {.page = stAdaptiveMartingale, .status = rsAdaptiveMartingale, .name = "Адаптивный мартингейл",
       .keys = {{"ChainCount", &P::speBot3ChainCount, &S::ChainCount, 5},
                {"BetSize", &P::neBot3BetSize, &S::BetSize, 3}},
       .fields = {{K::kDeposit, &P::neBot3MinDeposit, &P::lbBot3MinDeposit, 56, 60},
                  {K::kCount, &P::speBot3ChainCount, &P::lbBot3ChainCount, 58, 62, 99},
                  {K::kStake, &P::neBot3BetSize, &P::lbBot3BetSize, 59, 63}},
       .deposit = StrategyRow::Deposit{&P::neBot3BetSize, &P::speBot3ChainCount, &P::neBot3MinDeposit},
       .history = [](const S& p) { return std::array<int32_t, 8>{Rounded(p.BetSize), p.ChainCount}; },
       .make = &MakeAdaptiveMartingale, .follow = StrategyRow::FollowSteps{4, 6}, .chain_in_games = true},
      {.page = stMonteCarlo, .status = rsMonteCarlo, .name = "Монте-Карло",
       .keys = {{"ChainCount", &P::speBot4ChainCount, &S::ChainCount, 2},
                {"BetCount", &P::speBot4BetCount, &S::BetCount, 5},
                {"BetSize", &P::neBot4BetSize, &S::BetSize, 3}},
       .fields = {{K::kDeposit, &P::neBot4MinDeposit, &P::lbBot4MinDeposit, 56, 60},
                  {K::kCount, &P::speBot4ChainCount, &P::lbBot4ChainCount, 57, 61, 9},
                  {K::kCount, &P::speBot4BetCount, &P::lbBot4BetCount, 58, 62, 99},
                  {K::kStake, &P::neBot4BetSize, &P::lbBot4BetSize, 59, 63}},
       .deposit = StrategyRow::Deposit{&P::neBot4BetSize, &P::speBot4BetCount, &P::neBot4MinDeposit},
       .history = [](const S& p) { return std::array<int32_t, 8>{Rounded(p.BetSize), p.BetCount, p.ChainCount}; },
       .make = &MakeMonteCarlo, .follow = StrategyRow::FollowSteps{2, 4}},
      // The most editors: its money editors go in pairs.
      {.page = stBalanced, .status = rsBalanced, .name = "",
       .keys = {{"WinLimit", &P::neBot5WinLimit, &S::WinLimit, 6},
                {"LoseLimit", &P::neBot5LoseLimit, &S::LoseLimit, 6},
                {"BetSize", &P::neBot5BetSize, &S::BetSize, 3},
                {"BetCount", &P::speBot5BetCount, &S::BetCount, 2},
                {"AutoDirect", &P::cbBot5ChangeDirection, &S::AutoDirect, 0}},
       .fields = {{K::kStake, &P::neBot5BetSize, &P::lbBot5BetSize, 50, 51, 0, true},
                  {K::kLimit, &P::neBot5WinLimit, &P::lbBot5WinLimit, 64, 69},
                  {K::kThreshold, &P::neBot5Porog, &P::lbBot5Porog, 65, 70, 0, true},
                  {K::kLimit, &P::neBot5LoseLimit, &P::lbBot5LoseLimit, 66, 71},
                  {K::kCount, &P::speBot5BetCount, &P::lbBot5BetCount, 54, 55, 20},
                  {K::kCheck, &P::cbBot5ChangeDirection, nullptr, 67, 68}},
       .written = &P::neBot5Porog, .written_param = &S::Porog,
       .history = [](const S& p) {
         return std::array<int32_t, 8>{Rounded(p.WinLimit), Rounded(p.LoseLimit), p.BetCount, Rounded(p.Porog)};
       },
       .make = &MakeBalanced, .limit_notice = {.title = 188, .kind = DialogKind::Warning}},
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

void ShowNeededDeposit(const StrategyRow& row, StrategyPages& pages) {
  if (!row.deposit) return;
  const auto stake = RoundHalfEven((pages.*row.deposit->stake).Value());
  (pages.*row.deposit->deposit).SetValue(NeededDeposit(stake, (pages.*row.deposit->length).Value()));
}

std::optional<FieldRange> FieldLimits(const StrategyField& field) {
  using K = StrategyField::Kind;
  switch (field.kind) {
    case K::kStake: return FieldRange{3, 100000};
    case K::kLimit: return FieldRange{6, 100000};
    case K::kCount: return FieldRange{1, static_cast<double>(field.max_count)};
    default: return std::nullopt;
  }
}

ui::Control& FieldControl(const StrategyField& field, StrategyPages& pages) {
  return std::visit([&](auto control) -> ui::Control& { return pages.*control; }, field.control);
}

}  // namespace vantrope
