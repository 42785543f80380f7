#include "pages.h"

namespace vantrope::demo {

std::string ReceiptPage(const PageFrame& frame, const Contract& contract, Cents balance) {
  const Texts& t = frame.texts();
  const Language language = frame.language;
  const std::vector<DurationUnit>& units = DurationUnits();
  size_t unit = 0;
  while (unit + 1 < units.size() && units[unit].code != contract.unit) ++unit;
  auto row = [](const char* caption, const std::string& value) {
    return "<tr><th>" + EscapeText(caption) + "</th><td>" + EscapeText(value) + "</td></tr>\n";
  };
  std::string html = "<p class=\"receipt\" id=\"contract-bought\">" + EscapeText(t.receipt_bought) +
                     std::to_string(contract.id) + EscapeText(t.receipt_bought_end) + "</p>\n";
  html += "<table class=\"contract\"><tbody>\n";
  html += row(t.column_contract, std::to_string(contract.id));
  html += row(t.column_instrument, InstrumentName(contract.market, contract.instrument, language));
  html += row(t.column_type, contract.rise ? t.rise : t.fall);
  html += row(t.row_duration, std::to_string(contract.duration) + " " + t.unit_short[unit]);
  html += row(t.column_price, CurrencyAmount(contract.price, language));
  html += row(t.column_payout, CurrencyAmount(contract.payout, language));
  html += row(t.row_balance, CurrencyAmount(balance, language));
  html += "</tbody></table>\n";
  html += "<p>" + Link("receipt-portfolio", frame.portfolio_address, t.view_portfolio) + " | " +
          Link("back-to-trading", "/d/trade.cgi?l=" + frame.lang() + "&market=" + contract.market, t.back_to_trading) +
          "</p>\n";
  return PageDocument(frame, t.receipt_heading, html);
}

}  // namespace vantrope::demo
