// The full parse of the current document into WebFields.
#include "app/main_form.h"
#include "site/document_fields.h"
#include "text/utf8.h"

namespace vantrope {

void TMainForm::HtmlParser() {
  WebFields.clear();
  if (Trim(platform.browser.LocationUrl()).empty() || platform.browser.Busy()) return;
  // A document that does not answer reads as one without forms, links or body.
  const DomDocument document = platform.browser.ReadDocument().value_or(DomDocument{});
  ParseDocumentFields(document, WebTableCounters, WebFields);

  ui::Grid& grid = fmDebug.gwWebParser;
  if (grid.RowCount() > 0) grid.Clear();
  if (DebugEnabled) {
    for (size_t i = 0; i < WebFields.size(); ++i) {
      const TCatField& field = WebFields[i];
      const int row = grid.AppendRow();
      grid.SetCell(0, row, std::to_string(i));
      grid.SetCell(1, row, KindName(field.Kind));
      grid.SetCell(2, row, field.ID);
      grid.SetCell(3, row, field.Ftype);
      grid.SetCell(4, row, field.Ftext);
      grid.SetCell(5, row, field.Fsubdata);
    }
  }
  BetOnWebEncoder();
}

}  // namespace vantrope
