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

void PageEncoder::HtmlParser(std::function<void(bool parsed)> parsed) {
  if (Trim(browser.LocationUrl()).empty() || browser.Busy()) {
    page.WebFields.clear();
    page.ParsedDocument.reset();
    if (parsed) parsed(false);
    return;
  }
  browser.ReadDocument([this, parsed = std::move(parsed)](std::optional<DomDocument> document) {
    // A page that did not answer says nothing of itself: the page as it was
    // parsed last stays, and no recognition runs on nothing.
    if (!document) {
      if (parsed) parsed(false);
      return;
    }
    if (document != page.ParsedDocument) {
      ParseDocumentFields(*document, page.WebTableCounters, page.WebFields);
      ui::Grid& grid = parser_view.gwWebParser;
      if (grid.RowCount() > 0) grid.Clear();
      if (DebugEnabled) {
        for (size_t i = 0; i < page.WebFields.size(); ++i) AppendFieldRow(grid, i, page.WebFields[i]);
      }
      page.ParsedDocument = std::move(document);
    }
    BetOnWebEncoder();
    if (parsed) parsed(true);
  });
}

void PageEncoder::ReparseUnlessBusy() {
  if (!browser.Busy()) HtmlParser();
}

int32_t PageEncoder::SearchControl(uint16_t control) {
  return PageRecogniser(page.WebFields, site, texts).SearchControl(control);
}

void PageEncoder::Fault(const std::string& text) { host.BetOnStateFault("WebEncoder", text, 0); }

void PageEncoder::WriteRecognitionResult(const PageRecogniser& recogniser) {
  if (page.RecognitionLog) recogniser.ProtocolResult(page.PageIndex, page.PageName, page.ControlSlots);
  if (!DebugEnabled) return;
  log.AddStringToDebugLog(page.PageName);
  std::vector<std::vector<std::string>> rows;
  for (size_t slot = 0; slot < page.ControlSlots.size(); ++slot) {
    const int32_t index = page.ControlSlots[slot].FieldIndex;
    if (index < 0 || static_cast<size_t>(index) >= page.WebFields.size()) continue;
    std::vector<std::string>& cells = rows.emplace_back(FieldRowCells(slot, page.WebFields[index]));
    cells.insert(cells.end(), {"<EDIT>", "<EXECUTE>", std::to_string(index)});
  }
  ui::Grid& grid = parser_view.gwDebug;
  if (rows == parser_view.ControlRowsWritten && static_cast<size_t>(grid.RowCount()) == rows.size()) return;
  grid.Clear();
  for (const std::vector<std::string>& cells : rows) AppendRowCells(grid, cells);
  parser_view.ControlRowsWritten = std::move(rows);
}

void PageEncoder::BetOnWebEncoder() {
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

  ui::Memo& protocol = parser_view.mmWebRecogLog;
  PageRecogniser recogniser(page.WebFields, site, texts, [this, &protocol](const std::string& line) {
    if (page.RecognitionLog) protocol.Append(line);
  });
  const TPage found = recogniser.RecognisePage();
  page.PageIndex = found;
  page.PageName = site.PageNameOf(found);
  // The trading page's own address stands for it when no template matched;
  // its controls are then not resolved.
  if (found == pgNone && Trim(browser.LocationUrl()) == kDefaultReturnUrl) {
    page.PageIndex = pgTrading;
    page.PageName = site.PageNameOf(pgTrading);
  }
  PageRecogniser::PageSlots resolved = recogniser.ResolvePageSlots(found);
  page.ControlSlots = resolved.slots;
  for (const std::string& missing : resolved.missing) Fault(missing);
  if (found == pgPortfolio || found == pgPortfolioBetOpen) {
    const PageRecogniser::AccountValues account =
        recogniser.ReadAccountValues(found, page.ControlSlots, page.CurrencyName);
    if (account.currency) page.CurrencyName = *account.currency;
    if (account.balance) page.CurrentBalance = *account.balance;
    page.SiteDataUpdated = true;
    for (const std::string& missing : account.missing) Fault(missing);
    // A half-read account page is no page the bet cycle may act on.
    if (account.failed) {
      page.PageIndex = pgNone;
      page.PageName = site.PageNameOf(pgNone);
    }
  }
  WriteRecognitionResult(recogniser);
  host.ShowSiteDisplays();

  page.SiteDataUpdated = true;
  if (page.PageIndex != pgNone) tmWebWDT2.SetEnabled(false);
  page.EncoderBusy = false;
}

}  // namespace vantrope
