#include "site/page_recogniser.h"

#include "site/page_search.h"
#include "text/utf8.h"
#include "ui/money.h"

namespace vantrope {

namespace {

// The language pack's texts of recognition.
enum Text : int { txRecognised = 138, txNotFound = 139, txFoundAt = 140 };

constexpr std::array<uint8_t, 17> kPagePriority = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 1, 12, 12, 1, 12};

struct SlotRule {
  Slot slot;
  uint16_t control;
};

// The slots of the trading page, in slot order; slot 13 takes the second
// match of control 15 and is resolved on its own.
constexpr SlotRule kTradingSlots[] = {
    {Slot::kMarketGroup, 5},    {Slot::kMarketGroupCopy, 5}, {Slot::kPair, 6},      {Slot::kStart, 7},
    {Slot::kDuration, 8},       {Slot::kDurationUnit, 9},    {Slot::kStake, 11},    {Slot::kGetPrices, 12},
    {Slot::kBasis, 10},         {Slot::kForexTab, 16},       {Slot::kUpPrice, 15},  {Slot::kUpPriceBlock, 17},
    {Slot::kDownPriceBlock, 18}, {Slot::kBuyUp, 13},          {Slot::kBuyDown, 14}};

}  // namespace

void PageRecogniser::Protocol(const std::string& line) const {
  if (protocol_) protocol_(line);
}

int32_t PageRecogniser::SearchControl(uint16_t control) const {
  if (control >= templates_.PageControls.size()) return -1;
  return SearchWebData(fields_, templates_.PageControls[control]);
}

bool PageRecogniser::PagePasses(uint8_t page) const {
  Protocol("=== " + Trim(templates_.PageNameOf(page)) + " ===");
  for (size_t i = 0; i < templates_.PageFields.size(); ++i) {
    if (templates_.PageFields[i].PageNo != page) continue;
    const int32_t found = SearchWebData(fields_, templates_.PageFields[i]);
    Protocol("PageField_" + std::to_string(i) + ": " + std::to_string(found));
    if (found == -1) return false;
  }
  return true;
}

TPage PageRecogniser::RecognisePage() {
  std::array<uint8_t, 17> weight{};
  bool found = false;
  auto pass = [&](TPage page) {
    weight[page] = kPagePriority[page];
    found = true;
  };
  for (TPage page : {pgLogin, pgLoginFailed, pgCabinet})
    if (PagePasses(page)) pass(page);
  if (PagePasses(pgTrading)) {
    const bool up = SearchControl(13) != -1;
    const bool down = SearchControl(14) != -1;
    pass(up && down ? pgTradingPrices : down ? pgTradingDownPrice : up ? pgTradingUpPrice : pgTrading);
  }
  for (TPage page : {pgPricesChanged, pgPurchaseConfirmed})
    if (PagePasses(page)) pass(page);
  if (PagePasses(pgPortfolio)) {
    const int32_t balance = SearchControl(3);
    const std::string value = balance < 0 ? std::string() : GetWebValue(fields_, static_cast<size_t>(balance));
    const auto low_byte = static_cast<uint8_t>(RoundHalfEven(CostTranslate(value)));
    pass(low_byte == 0 ? pgPortfolio : pgPortfolioBetOpen);
  }
  // The page of the site's pause is found by any one of its templates, of
  // page numbers 12, 17 and 18.
  if (!found) {
    bool any = false;
    for (uint8_t group : {12, 17, 18}) {
      Protocol("=== " + Trim(templates_.PageNameOf(pgSitePause)) + " ===");
      for (size_t i = 0; i < templates_.PageFields.size(); ++i) {
        if (templates_.PageFields[i].PageNo != group) continue;
        const int32_t index = SearchWebData(fields_, templates_.PageFields[i]);
        Protocol("PageField_" + std::to_string(i) + ": " + std::to_string(index));
        if (index != -1) any = true;
      }
    }
    if (any) weight[pgSitePause] = kPagePriority[pgSitePause];
  }
  for (TPage page : {pgRequestError, pgPageNotFound, pgPurchaseRefused, pgAccountBlocked})
    if (PagePasses(page)) weight[page] = kPagePriority[page];

  uint8_t best = pgNone;
  for (uint8_t page = 1; page < weight.size(); ++page)
    if (weight[page] > weight[best]) best = page;
  return static_cast<TPage>(best);
}

std::string PageRecogniser::MissingText(TPage page, const TControlSlot& slot, const std::string& text) const {
  return "WEB-page " + std::to_string(page) + ". PageControl_" + std::to_string(slot.ControlNo) + " " + text;
}

PageRecogniser::PageSlots PageRecogniser::ResolvePageSlots(TPage page) const {
  PageSlots result;
  ControlSlots& slots = result.slots;
  auto resolve = [&](Slot slot, uint16_t control) { slots[SlotIndex(slot)] = {SearchControl(control), control}; };
  auto require = [&](Slot slot, const std::string& text) {
    const TControlSlot& resolved = slots[SlotIndex(slot)];
    if (resolved.FieldIndex == -1) result.missing.push_back(MissingText(page, resolved, text));
  };
  const std::string& not_found = texts_.Text(txNotFound);
  if (page == pgLogin) {
    // The login page's slots take the controls of their own numbers.
    for (Slot slot : {Slot::kLoginName, Slot::kPassword, Slot::kLoginPress})
      resolve(slot, static_cast<uint16_t>(SlotIndex(slot)));
    for (Slot slot : {Slot::kLoginName, Slot::kPassword, Slot::kLoginPress}) require(slot, not_found);
  } else if (IsTradingPage(page)) {
    for (const SlotRule& rule : kTradingSlots) resolve(rule.slot, rule.control);
    const int32_t up_price = slots[SlotIndex(Slot::kUpPrice)].FieldIndex;
    if (up_price >= 0) {
      // The second match: the first one is hidden for one search.
      TCatField& first = fields_[up_price];
      const uint8_t kind = first.Kind;
      first.Kind = 255;
      resolve(Slot::kDownPrice, 15);
      first.Kind = kind;
    }
    // The form's controls, from the market group to the forex tab.
    for (size_t slot = SlotIndex(Slot::kMarketGroup); slot <= SlotIndex(Slot::kForexTab); ++slot)
      require(static_cast<Slot>(slot), not_found);
    // The price controls that recognition saw are required.
    if (page == pgTradingUpPrice || page == pgTradingPrices) require(Slot::kUpPrice, "не найден.");
    if (page == pgTradingDownPrice || page == pgTradingPrices) require(Slot::kDownPrice, not_found);
  } else if (page == pgPricesChanged) {
    resolve(Slot::kAskPricesAgain, 12);
    require(Slot::kAskPricesAgain, not_found);
  } else if (page == pgPurchaseConfirmed) {
    resolve(Slot::kReceipt, 20);
    require(Slot::kReceipt, not_found);
  } else if (page == pgPortfolio || page == pgPortfolioBetOpen) {
    resolve(Slot::kCurrency, 3);
    resolve(Slot::kBalance, 4);
  }
  return result;
}

PageRecogniser::AccountValues PageRecogniser::ReadAccountValues(TPage page, const ControlSlots& slots,
                                                                const std::string& known_currency) const {
  AccountValues values;
  const TControlSlot& currency = slots[SlotIndex(Slot::kCurrency)];
  const TControlSlot& balance = slots[SlotIndex(Slot::kBalance)];
  const bool currency_resolved = currency.FieldIndex != -1;
  const bool balance_resolved = balance.FieldIndex != -1;
  values.failed = !currency_resolved || !balance_resolved;
  if (balance_resolved) {
    const std::string value = GetWebValue(fields_, static_cast<size_t>(balance.FieldIndex));
    if (!currency_resolved && Trim(known_currency).empty()) {
      std::string text = value;
      if (!text.empty() && text[0] == ':') text = Utf8Left(text.substr(1), 99);
      text = Trim(text);
      const size_t space = text.find(' ');
      values.currency = space == std::string::npos ? std::string() : Trim(text.substr(0, space));
    }
    // 0.00 is a balance: only text that does not read as money is unread.
    values.balance = ReadMoney(value);
    if (!values.balance) values.failed = true;
  }
  for (const TControlSlot* slot : {&currency, &balance})
    if (slot->FieldIndex == -1) values.missing.push_back(MissingText(page, *slot, texts_.Text(txNotFound)));
  return values;
}

void PageRecogniser::ProtocolResult(TPage page_index, const std::string& page_name, const ControlSlots& slots) const {
  Protocol("");
  Protocol(texts_.Text(txRecognised) + std::to_string(page_index) + ") " + templates_.PageNameOf(page_index));
  Protocol(page_name);
  Protocol("");
  for (const TControlSlot& slot : slots) {
    if (slot.ControlNo == 65535) continue;
    const std::string text = slot.FieldIndex == -1 ? texts_.Text(txNotFound)
                                                   : texts_.Text(txFoundAt) + std::to_string(slot.FieldIndex) + ")";
    Protocol("PageControl_" + std::to_string(slot.ControlNo) + ": " + (slot.ControlNo < 10 ? " " : "") + text);
  }
}

}  // namespace vantrope
