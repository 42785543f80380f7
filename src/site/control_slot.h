// A control slot: where a control of the recognised page is in WebFields.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vantrope {

struct TControlSlot {
  int32_t FieldIndex = -1;     // index into WebFields, -1 when not found
  uint16_t ControlNo = 65535;  // the configured control number, 65535 when unused
};

// A slot's number in the page's ControlSlots, by what it holds on the page
// it belongs to: a number means another control on another page. It is never
// a template control number of the settings file (PageControl_N), which is a
// plain number searched for on the page.
enum class Slot : uint8_t {
  // the login page
  kLoginName = 0,
  kPassword = 1,
  kLoginPress = 2,
  // the portfolio
  kCurrency = 0,
  kBalance = 1,
  // the page that says the prices changed
  kAskPricesAgain = 0,
  // the page of a purchase confirmed: the way to the portfolio
  kReceipt = 0,
  // the trading form
  kMarketGroup = 2,
  kMarketGroupCopy = 3,
  kPair = 4,
  kStart = 5,
  kDuration = 6,
  kDurationUnit = 7,
  kStake = 8,
  kGetPrices = 9,
  kBasis = 10,
  kForexTab = 11,
  kUpPrice = 12,
  kDownPrice = 13,
  kUpPriceBlock = 14,
  kDownPriceBlock = 15,
  kBuyUp = 18,
  kBuyDown = 19,
};

inline constexpr size_t SlotIndex(Slot slot) { return static_cast<size_t>(slot); }

}  // namespace vantrope
