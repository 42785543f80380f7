// The page the browser shows, as the last parse and recognition left it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "site/cat_field.h"
#include "site/control_slot.h"
#include "site/html_text_parser.h"
#include "site/web_browser.h"

namespace vantrope {

// PageIndex: the configured page the browser shows, in the roles the bet
// cycle gives the page numbers. The templates of the settings file decide
// which of the broker's pages each one is.
enum TPage : uint8_t {
  pgNone = 0,  // no page recognised
  pgLogin = 1,
  pgLoginFailed = 2,
  pgCabinet = 3,
  pgTrading = 4,  // 4 to 7: the trading form, by the price controls it shows
  pgTradingUpPrice = 5,
  pgTradingDownPrice = 6,
  pgTradingPrices = 7,
  pgPricesChanged = 8,
  pgPurchaseConfirmed = 9,
  pgPortfolio = 10,  // no open bet: where a result is read
  pgPortfolioBetOpen = 11,
  pgSitePause = 12,
  pgRequestError = 13,  // 13 to 15: the browser goes back
  pgPageNotFound = 14,
  pgPurchaseRefused = 15,
  pgAccountBlocked = 16,  // ends the run
  pgUnread = 255,         // set by run control: nothing read since Start or Stop
};

inline bool IsTradingPage(TPage page) { return page >= pgTrading && page <= pgTradingPrices; }

struct SitePage {
  std::vector<TCatField> WebFields;
  // The document WebFields were parsed from: a page read again unchanged,
  // as it is every few seconds, is not parsed again.
  std::optional<DomDocument> ParsedDocument;
  TableCounters WebTableCounters;
  std::array<TControlSlot, 20> ControlSlots;
  const TControlSlot& SlotAt(Slot slot) const { return ControlSlots[SlotIndex(slot)]; }
  TPage PageIndex = pgNone;
  std::string PageName;
  // Set by every recognition; cleared by the bet cycle when it needs a fresh page.
  bool SiteDataUpdated = false;
  // Set by every recognition, cleared when the parser lamp has shown it.
  bool PageParsedBlink = false;
  // The recognition's re-entry guard.
  bool EncoderBusy = false;
  uint8_t EncoderSkips = 0;
  // While set, recognitions write their protocol into the debug window.
  bool RecognitionLog = false;
  // The debug window's site simulator stands in for the site.
  bool SimulatorEnabled = false;
  // The last price read from the page.
  double BetPrice = 0;
  // The account as the site shows it.
  std::string CurrencyName;
  double CurrentBalance = 0;
  // The address the robot itself last asked the browser for: no other (a
  // form's answer, a page the site or the user went to) is ever loaded again.
  std::string OwnAddress;
  // The navigations the robot asked for, counted: a page that came after one
  // of them is no answer to what the robot pressed before it.
  uint64_t OwnNavigations = 0;
};

}  // namespace vantrope
