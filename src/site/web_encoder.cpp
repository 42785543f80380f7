// The page encoder: which configured page the browser shows, where its
// controls are, the account values, and the site language.
#include <array>

#include "app/main_form.h"
#include "ui/money.h"
#include "debug/field_grid_row.h"
#include "site/default_addresses.h"
#include "site/page_search.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr std::array<uint8_t, 17> kPagePriority = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 1, 12, 12, 1, 12};
constexpr size_t kMaxPageFields = 255;
constexpr size_t kMinPageControls = 21;
constexpr uint8_t kEncoderSkipLimit = 5;

struct SlotRule {
  size_t slot;
  uint16_t control;
};

// The slots of the trading page, in slot order; slot 13 takes the second
// match of control 15 and is resolved on its own.
constexpr SlotRule kTradingSlots[] = {{2, 5},   {3, 5},   {4, 6},   {5, 7},   {6, 8},   {7, 9},  {8, 11},
                                      {9, 12},  {10, 10}, {11, 16}, {12, 15}, {14, 17}, {15, 18}, {18, 13},
                                      {19, 14}};

TCatField EmptyTemplate(uint8_t page_no) {
  TCatField field;
  field.Kind = 255;
  field.PageNo = page_no;
  return field;
}

std::vector<TCatField> LoadTemplates(const std::vector<std::string>& lines, uint8_t empty_page_no, size_t min_count,
                                     size_t max_count) {
  std::vector<TCatField> templates;
  for (size_t i = 0; i < std::min(lines.size(), max_count); ++i) {
    templates.push_back(EmptyTemplate(empty_page_no));
    SrtToFieldData(lines[i], templates.back());
  }
  while (templates.size() < min_count) templates.push_back(EmptyTemplate(empty_page_no));
  return templates;
}

}  // namespace

void TMainForm::LoadPageTemplates() {
  site.PageFields = LoadTemplates(site.PageFieldTemplates, 0, 0, kMaxPageFields);
  site.PageControls = LoadTemplates(site.PageControlTemplates, 99, kMinPageControls, SIZE_MAX);
}

// A page without a name in the settings has an empty one.
const std::string& TMainForm::PageNameOf(size_t number) const {
  static const std::string empty;
  return number < site.PageNames.size() ? site.PageNames[number] : empty;
}

int32_t TMainForm::SearchControl(uint16_t control) {
  if (control >= site.PageControls.size()) return -1;
  return SearchWebData(page.WebFields, site.PageControls[control]);
}

void TMainForm::RecognitionProtocol(const std::string& line) {
  if (page.RecognitionLog) fmDebug.mmWebRecogLog.Append(line);
}

bool TMainForm::PagePasses(uint8_t number) {
  RecognitionProtocol("=== " + Trim(PageNameOf(number)) + " ===");
  for (size_t i = 0; i < site.PageFields.size(); ++i) {
    if (site.PageFields[i].PageNo != number) continue;
    const int32_t found = SearchWebData(page.WebFields, site.PageFields[i]);
    RecognitionProtocol("PageField_" + std::to_string(i) + ": " + std::to_string(found));
    if (found == -1) return false;
  }
  return true;
}

uint8_t TMainForm::RecognisePage() {
  std::array<uint8_t, 17> weight{};
  bool found = false;
  auto pass = [&](uint8_t number) {
    weight[number] = kPagePriority[number];
    found = true;
  };
  for (uint8_t number : {1, 2, 3})
    if (PagePasses(number)) pass(number);
  if (PagePasses(4)) {
    const bool up = SearchControl(13) != -1;
    const bool down = SearchControl(14) != -1;
    pass(up && down ? 7 : down ? 6 : up ? 5 : 4);
  }
  for (uint8_t number : {8, 9})
    if (PagePasses(number)) pass(number);
  if (PagePasses(10)) {
    const int32_t balance = SearchControl(3);
    const std::string value = balance < 0 ? std::string() : GetWebValue(page.WebFields, static_cast<uint16_t>(balance));
    const auto low_byte = static_cast<uint8_t>(RoundHalfEven(CostTranslate(value)));
    pass(low_byte == 0 ? 10 : 11);
  }
  if (!found) {
    bool any = false;
    for (uint8_t group : {12, 17, 18}) {
      RecognitionProtocol("=== " + Trim(PageNameOf(12)) + " ===");
      for (size_t i = 0; i < site.PageFields.size(); ++i) {
        if (site.PageFields[i].PageNo != group) continue;
        const int32_t index = SearchWebData(page.WebFields, site.PageFields[i]);
        RecognitionProtocol("PageField_" + std::to_string(i) + ": " + std::to_string(index));
        if (index != -1) any = true;
      }
    }
    if (any) weight[12] = kPagePriority[12];
  }
  for (uint8_t number : {13, 14, 15, 16})
    if (PagePasses(number)) weight[number] = kPagePriority[number];

  uint8_t best = 0;
  for (uint8_t number = 1; number < weight.size(); ++number)
    if (weight[number] > weight[best]) best = number;
  return best;
}

void TMainForm::ResolveSlot(size_t slot, uint16_t control) {
  page.ControlSlots[slot] = {SearchControl(control), control};
}

void TMainForm::RequireSlot(uint8_t number, size_t slot, const std::string& missing_text) {
  if (page.ControlSlots[slot].FieldIndex != -1) return;
  BetOnStateFault("WebEncoder",
                  "WEB-page " + std::to_string(number) + ". PageControl_" +
                      std::to_string(page.ControlSlots[slot].ControlNo) + " " + missing_text,
                  0);
}

void TMainForm::ResolvePageSlots(uint8_t number) {
  page.ControlSlots.fill(TControlSlot{});
  if (number == 1) {
    for (size_t slot : {0, 1, 2}) ResolveSlot(slot, static_cast<uint16_t>(slot));
    for (size_t slot : {0, 1, 2}) RequireSlot(number, slot, Txt(139));
  } else if (number >= 4 && number <= 7) {
    for (const SlotRule& rule : kTradingSlots) ResolveSlot(rule.slot, rule.control);
    if (page.ControlSlots[12].FieldIndex >= 0) {
      // The second match: the first one is hidden for one search.
      TCatField& first = page.WebFields[page.ControlSlots[12].FieldIndex];
      const uint8_t kind = first.Kind;
      first.Kind = 255;
      ResolveSlot(13, 15);
      first.Kind = kind;
    }
    for (size_t slot = 2; slot <= 11; ++slot) RequireSlot(number, slot, Txt(139));
    // Pages 5 and 7 showed control 13 during recognition, pages 6 and 7 control 14.
    if (number == 5 || number == 7) RequireSlot(number, 12, "не найден.");
    if (number == 6 || number == 7) RequireSlot(number, 13, Txt(139));
  } else if (number == 8) {
    ResolveSlot(0, 12);
    RequireSlot(number, 0, Txt(139));
  } else if (number == 9) {
    ResolveSlot(0, 20);
    RequireSlot(number, 0, Txt(139));
  } else if (number == 10 || number == 11) {
    ResolveSlot(0, 3);
    ResolveSlot(1, 4);
  }
}

void TMainForm::ReadAccountValues(uint8_t number) {
  const bool currency_resolved = page.ControlSlots[0].FieldIndex != -1;
  const bool balance_resolved = page.ControlSlots[1].FieldIndex != -1;
  int failures = (currency_resolved ? 0 : 1) + (balance_resolved ? 0 : 1);
  if (balance_resolved) {
    const std::string value = GetWebValue(page.WebFields, static_cast<uint16_t>(page.ControlSlots[1].FieldIndex));
    if (!currency_resolved && Trim(page.CurrencyName).empty()) {
      std::string text = value;
      if (!text.empty() && text[0] == ':') text = Utf8Left(text.substr(1), 99);
      text = Trim(text);
      const size_t space = text.find(' ');
      page.CurrencyName = space == std::string::npos ? std::string() : Trim(text.substr(0, space));
    }
    const double balance = CostTranslate(value);
    if (balance != 0)
      page.CurrentBalance = balance;
    else
      ++failures;
  }
  page.SiteDataUpdated = true;
  RequireSlot(number, 0, Txt(139));
  RequireSlot(number, 1, Txt(139));
  if (failures > 0) {
    page.PageIndex = 0;
    page.PageName = PageNameOf(0);
  }
}

void TMainForm::WriteRecognitionResult() {
  if (page.RecognitionLog) {
    RecognitionProtocol("");
    RecognitionProtocol(Txt(138) + std::to_string(page.PageIndex) + ") " + PageNameOf(page.PageIndex));
    RecognitionProtocol(page.PageName);
    RecognitionProtocol("");
    for (const TControlSlot& slot : page.ControlSlots) {
      if (slot.ControlNo == 65535) continue;
      const std::string text = slot.FieldIndex == -1 ? Txt(139) : Txt(140) + std::to_string(slot.FieldIndex) + ")";
      RecognitionProtocol("PageControl_" + std::to_string(slot.ControlNo) + ": " + (slot.ControlNo < 10 ? " " : "") +
                          text);
    }
  }
  if (!DebugEnabled) return;
  AddStringToDebugLog(page.PageName);
  ui::Grid& grid = fmDebug.gwDebug;
  grid.Clear();
  for (size_t slot = 0; slot < page.ControlSlots.size(); ++slot) {
    const int32_t index = page.ControlSlots[slot].FieldIndex;
    if (index < 0 || static_cast<size_t>(index) >= page.WebFields.size()) continue;
    const int row = AppendFieldRow(grid, slot, page.WebFields[index]);
    grid.SetCell(6, row, "<EDIT>");
    grid.SetCell(7, row, "<EXECUTE>");
    grid.SetCell(8, row, std::to_string(index));
  }
}

void TMainForm::ShowSiteDisplays() {
  robot_controls.teSiteStatus.SetText(page.PageName);
  const std::string suffix = " " + page.CurrencyName;
  account.neStartBalanse.SetValue(robot.StartBalance);
  account.neCurrentBalanse.SetValue(page.CurrentBalance);
  const double difference = page.CurrentBalance - robot.StartBalance;
  account.neWinBalanse.SetValue(difference);
  for (ui::NumberEdit* editor : {&account.neStartBalanse, &account.neCurrentBalanse, &account.neWinBalanse})
    editor->SetSuffix(suffix);
  account.neWinBalanse.SetFontColor(difference == 0  ? ui::Rgb(0xC0, 0xC0, 0xC0)
                                    : difference > 0 ? ui::Rgb(0x00, 0x80, 0x00)
                                                     : ui::Rgb(0xFF, 0x00, 0x00));
}

void TMainForm::BetOnWebEncoder() {
  page.PageParsedBlink = true;
  if (page.EncoderBusy) {
    if (page.EncoderSkips > 0)
      --page.EncoderSkips;
    else
      page.EncoderBusy = false;
    return;
  }
  page.EncoderBusy = true;
  page.EncoderSkips = kEncoderSkipLimit;
  if (page.SimulatorEnabled) {
    page.SiteDataUpdated = true;
    page.EncoderBusy = false;
    return;
  }
  tmWebWDT.SetEnabled(false);

  const uint8_t number = RecognisePage();
  page.PageIndex = number;
  page.PageName = PageNameOf(number);
  // The trading page's own address stands for it when no template matched;
  // its controls are then not resolved.
  if (number == 0 && Trim(platform.browser.LocationUrl()) == kDefaultReturnUrl) {
    page.PageIndex = 4;
    page.PageName = PageNameOf(4);
  }
  ResolvePageSlots(number);
  if (number == 10 || number == 11) ReadAccountValues(number);
  WriteRecognitionResult();
  ShowSiteDisplays();

  page.SiteDataUpdated = true;
  if (page.PageIndex != 0) tmWebWDT2.SetEnabled(false);
  page.EncoderBusy = false;
}

void TMainForm::LangCheck() {
  std::string url = platform.browser.LocationUrl();
  const size_t at = url.find("l=RU");
  if (at == std::string::npos) return;
  url.replace(at + 2, 2, "EN");
  NavigateUrl(url);
  page.SiteDataUpdated = false;
  tmBetOnState.SetInterval(6000);
}

}  // namespace vantrope
