// The page the browser shows, as the last parse and recognition left it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "site/cat_field.h"
#include "site/control_slot.h"
#include "site/html_text_parser.h"

namespace vantrope {

struct SitePage {
  std::vector<TCatField> WebFields;
  TableCounters WebTableCounters;
  std::array<TControlSlot, 20> ControlSlots;
  uint8_t PageIndex = 0;
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
};

}  // namespace vantrope
