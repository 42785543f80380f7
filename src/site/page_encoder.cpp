#include "site/page_encoder.h"

#include "site/default_addresses.h"
#include "site/document_fields.h"
#include "site/field_grid_row.h"
#include "site/page_recogniser.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr uint8_t kEncoderSkipLimit = 5;

}  // namespace

void PageEncoder::HtmlParser() {
  page_.WebFields.clear();
  if (Trim(browser_.LocationUrl()).empty() || browser_.Busy()) return;
  // A document that does not answer reads as one without forms, links or body.
  const DomDocument document = browser_.ReadDocument().value_or(DomDocument{});
  ParseDocumentFields(document, page_.WebTableCounters, page_.WebFields);

  ui::Grid& grid = view_.gwWebParser;
  if (grid.RowCount() > 0) grid.Clear();
  if (debug_enabled_) {
    for (size_t i = 0; i < page_.WebFields.size(); ++i) AppendFieldRow(grid, i, page_.WebFields[i]);
  }
  BetOnWebEncoder();
}

void PageEncoder::ReparseUnlessBusy() {
  if (!browser_.Busy()) HtmlParser();
}

int32_t PageEncoder::SearchControl(uint16_t control) {
  return PageRecogniser(page_.WebFields, settings_, texts_).SearchControl(control);
}

void PageEncoder::Fault(const std::string& text) { host_.BetOnStateFault("WebEncoder", text, 0); }

void PageEncoder::WriteRecognitionResult(const PageRecogniser& recogniser) {
  if (page_.RecognitionLog) recogniser.ProtocolResult(page_.PageIndex, page_.PageName, page_.ControlSlots);
  if (!debug_enabled_) return;
  log_.AddStringToDebugLog(page_.PageName);
  ui::Grid& grid = view_.gwDebug;
  grid.Clear();
  for (size_t slot = 0; slot < page_.ControlSlots.size(); ++slot) {
    const int32_t index = page_.ControlSlots[slot].FieldIndex;
    if (index < 0 || static_cast<size_t>(index) >= page_.WebFields.size()) continue;
    const int row = AppendFieldRow(grid, slot, page_.WebFields[index]);
    grid.SetCell(6, row, "<EDIT>");
    grid.SetCell(7, row, "<EXECUTE>");
    grid.SetCell(8, row, std::to_string(index));
  }
}

void PageEncoder::BetOnWebEncoder() {
  page_.PageParsedBlink = true;
  if (page_.EncoderBusy) {
    if (page_.EncoderSkips > 0)
      --page_.EncoderSkips;
    else
      page_.EncoderBusy = false;
    return;
  }
  page_.EncoderBusy = true;
  page_.EncoderSkips = kEncoderSkipLimit;
  if (page_.SimulatorEnabled) {
    page_.SiteDataUpdated = true;
    page_.EncoderBusy = false;
    return;
  }
  tmWebWDT_.SetEnabled(false);

  ui::Memo& protocol = view_.mmWebRecogLog;
  PageRecogniser recogniser(page_.WebFields, settings_, texts_, [this, &protocol](const std::string& line) {
    if (page_.RecognitionLog) protocol.Append(line);
  });
  const uint8_t found = recogniser.RecognisePage();
  page_.PageIndex = found;
  page_.PageName = settings_.PageNameOf(found);
  // The trading page's own address stands for it when no template matched;
  // its controls are then not resolved.
  if (found == 0 && Trim(browser_.LocationUrl()) == kDefaultReturnUrl) {
    page_.PageIndex = 4;
    page_.PageName = settings_.PageNameOf(4);
  }
  PageRecogniser::PageSlots resolved = recogniser.ResolvePageSlots(found);
  page_.ControlSlots = resolved.slots;
  for (const std::string& missing : resolved.missing) Fault(missing);
  if (found == 10 || found == 11) {
    const PageRecogniser::AccountValues account =
        recogniser.ReadAccountValues(found, page_.ControlSlots, page_.CurrencyName);
    if (account.currency) page_.CurrencyName = *account.currency;
    if (account.balance) page_.CurrentBalance = *account.balance;
    page_.SiteDataUpdated = true;
    for (const std::string& missing : account.missing) Fault(missing);
    // A half-read account page is no page the bet cycle may act on.
    if (account.failed) {
      page_.PageIndex = 0;
      page_.PageName = settings_.PageNameOf(0);
    }
  }
  WriteRecognitionResult(recogniser);
  host_.ShowSiteDisplays();

  page_.SiteDataUpdated = true;
  if (page_.PageIndex != 0) tmWebWDT2_.SetEnabled(false);
  page_.EncoderBusy = false;
}

}  // namespace vantrope
