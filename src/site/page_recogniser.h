// The user's templates applied to the fields of one parse: which configured
// page they show, where its controls are, and the account values it reads.
// The recogniser gives back its findings and a protocol of them; it changes
// no state of the robot.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/lang_pack.h"
#include "site/cat_field.h"
#include "site/control_slot.h"
#include "site/site_page.h"
#include "site/site_settings.h"

namespace vantrope {

using ControlSlots = std::array<TControlSlot, 20>;

class PageRecogniser {
 public:
  // `protocol`, when given, takes the recognition protocol line by line.
  // The second match of a control is searched with the first one hidden in
  // `fields` for that one search.
  PageRecogniser(std::vector<TCatField>& fields, const SiteSettings& templates, const TLangPack& texts,
                 std::function<void(const std::string&)> protocol = {})
      : fields_(fields), templates_(templates), texts_(texts), protocol_(std::move(protocol)) {}

  // The page the templates find, pgNone for none.
  TPage RecognisePage();
  // The index of the first field the control's template finds; -1 when none
  // does, or 0 for a missing optional control.
  int32_t SearchControl(uint16_t control) const;

  struct PageSlots {
    ControlSlots slots;
    // The fault text of every required control that is missing, in slot order.
    std::vector<std::string> missing;
  };
  PageSlots ResolvePageSlots(TPage page) const;

  struct AccountValues {
    std::optional<std::string> currency;  // read only while none is known
    std::optional<double> balance;        // none when the text is no money
    std::vector<std::string> missing;
    bool failed = false;
  };
  // The account page's values from its resolved slots.
  AccountValues ReadAccountValues(TPage page, const ControlSlots& slots, const std::string& known_currency) const;

  // The protocol's closing lines: the page published and its slots.
  void ProtocolResult(TPage page_index, const std::string& page_name, const ControlSlots& slots) const;

 private:
  void Protocol(const std::string& line) const;
  bool PagePasses(uint8_t page) const;
  std::string MissingText(TPage page, const TControlSlot& slot, const std::string& text) const;

  std::vector<TCatField>& fields_;
  const SiteSettings& templates_;
  const TLangPack& texts_;
  std::function<void(const std::string&)> protocol_;
};

}  // namespace vantrope
