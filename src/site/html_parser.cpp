// The full parse of the current document into WebFields.
#include "app/main_form.h"
#include "debug/field_grid_row.h"
#include "site/document_fields.h"
#include "text/utf8.h"

namespace vantrope {

void TMainForm::HtmlParser() {
  page.WebFields.clear();
  if (Trim(platform.browser.LocationUrl()).empty() || platform.browser.Busy()) return;
  // A document that does not answer reads as one without forms, links or body.
  const DomDocument document = platform.browser.ReadDocument().value_or(DomDocument{});
  ParseDocumentFields(document, page.WebTableCounters, page.WebFields);

  ui::Grid& grid = fmDebug.gwWebParser;
  if (grid.RowCount() > 0) grid.Clear();
  if (DebugEnabled) {
    for (size_t i = 0; i < page.WebFields.size(); ++i) AppendFieldRow(grid, i, page.WebFields[i]);
  }
  BetOnWebEncoder();
}

}  // namespace vantrope
