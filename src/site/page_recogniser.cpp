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
  size_t slot;
  uint16_t control;
};

// The slots of the trading page, in slot order; slot 13 takes the second
// match of control 15 and is resolved on its own.
constexpr SlotRule kTradingSlots[] = {{2, 5},   {3, 5},   {4, 6},   {5, 7},   {6, 8},   {7, 9},   {8, 11}, {9, 12},
                                      {10, 10}, {11, 16}, {12, 15}, {14, 17}, {15, 18}, {18, 13}, {19, 14}};

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
  auto resolve = [&](size_t slot, uint16_t control) { slots[slot] = {SearchControl(control), control}; };
  auto require = [&](size_t slot, const std::string& text) {
    if (slots[slot].FieldIndex == -1) result.missing.push_back(MissingText(page, slots[slot], text));
  };
  const std::string& not_found = texts_.Text(txNotFound);
  if (page == pgLogin) {
    for (size_t slot : {0, 1, 2}) resolve(slot, static_cast<uint16_t>(slot));
    for (size_t slot : {0, 1, 2}) require(slot, not_found);
  } else if (IsTradingPage(page)) {
    for (const SlotRule& rule : kTradingSlots) resolve(rule.slot, rule.control);
    if (slots[12].FieldIndex >= 0) {
      // The second match: the first one is hidden for one search.
      TCatField& first = fields_[slots[12].FieldIndex];
      const uint8_t kind = first.Kind;
      first.Kind = 255;
      resolve(13, 15);
      first.Kind = kind;
    }
    for (size_t slot = 2; slot <= 11; ++slot) require(slot, not_found);
    // The price controls that recognition saw are required.
    if (page == pgTradingUpPrice || page == pgTradingPrices) require(12, "не найден.");
    if (page == pgTradingDownPrice || page == pgTradingPrices) require(13, not_found);
  } else if (page == pgPricesChanged) {
    resolve(0, 12);
    require(0, not_found);
  } else if (page == pgPurchaseConfirmed) {
    resolve(0, 20);
    require(0, not_found);
  } else if (page == pgPortfolio || page == pgPortfolioBetOpen) {
    resolve(0, 3);
    resolve(1, 4);
  }
  return result;
}

PageRecogniser::AccountValues PageRecogniser::ReadAccountValues(TPage page, const ControlSlots& slots,
                                                                const std::string& known_currency) const {
  AccountValues values;
  const bool currency_resolved = slots[0].FieldIndex != -1;
  const bool balance_resolved = slots[1].FieldIndex != -1;
  values.failed = !currency_resolved || !balance_resolved;
  if (balance_resolved) {
    const std::string value = GetWebValue(fields_, static_cast<size_t>(slots[1].FieldIndex));
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
  for (size_t slot : {0, 1})
    if (slots[slot].FieldIndex == -1) values.missing.push_back(MissingText(page, slots[slot], texts_.Text(txNotFound)));
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
