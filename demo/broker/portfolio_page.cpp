#include <algorithm>

#include "pages.h"

namespace vantrope::demo {

namespace {

std::string Cell(const std::string& text) { return "<td>" + EscapeText(text) + "</td>"; }

std::string HeaderRow(const std::vector<const char*>& captions) {
  std::string row = "<tr>";
  for (const char* caption : captions) row += "<th>" + EscapeText(caption) + "</th>";
  return row + "</tr>\n";
}

std::string EmptyRow(size_t columns, const char* text) {
  return "<tr><td colspan=\"" + std::to_string(columns) + "\">" + EscapeText(text) + "</td></tr>\n";
}

// "4:05", or "1:02:03" from an hour on.
std::string Clock(int64_t seconds) {
  auto two = [](int64_t value) { return std::string(value < 10 ? "0" : "") + std::to_string(value); };
  if (seconds >= 3600) return std::to_string(seconds / 3600) + ":" + two(seconds / 60 % 60) + ":" + two(seconds % 60);
  return std::to_string(seconds / 60) + ":" + two(seconds % 60);
}

std::string ContractCells(const Contract& contract, Language language) {
  const Texts& t = TextsFor(language);
  return Cell(std::to_string(contract.id)) + Cell(InstrumentName(contract.market, contract.instrument, language)) +
         Cell(contract.rise ? t.rise : t.fall) + Cell(CurrencyAmount(contract.price, language)) +
         Cell(CurrencyAmount(contract.payout, language));
}

}  // namespace

std::string PortfolioPage(const PageFrame& frame, const PortfolioView& view) {
  const Texts& t = frame.texts();
  const Language language = frame.language;
  std::string html = "<table class=\"summary\"><tbody>\n";
  html += "<tr><th>" + EscapeText(t.summary_account) + "</th>" + Cell(": " + view.account->number) + "</tr>\n";
  html += "<tr><th>" + EscapeText(t.summary_balance) + "</th>" +
          Cell(": " + CurrencyAmount(view.account->balance, language)) + "</tr>\n";
  html += "<tr><th>" + EscapeText(t.summary_open) + "</th>" + Cell(": " + std::to_string(view.open.size())) + "</tr>\n";
  html += "</tbody></table>\n";

  html += "<h2>" + EscapeText(t.open_heading) + "</h2>\n<table class=\"open\"><tbody>\n";
  html += HeaderRow(
      {t.column_contract, t.column_instrument, t.column_type, t.column_price, t.column_payout, t.column_ends_in});
  for (const Contract& contract : view.open) {
    // Shown in the contract's own time, whatever the time scale.
    const int64_t remaining_ms = std::max<int64_t>(0, contract.expiry_ms - view.now_ms) * view.time_scale;
    html += "<tr>" + ContractCells(contract, language) + Cell(Clock((remaining_ms + 999) / 1000)) + "</tr>\n";
  }
  if (view.open.empty()) html += EmptyRow(6, t.no_open_contracts);
  html += "</tbody></table>\n";

  html += "<h2>" + EscapeText(t.results_heading) + "</h2>\n<table class=\"results\"><tbody>\n";
  html += HeaderRow({t.column_contract, t.column_instrument, t.column_type, t.column_price, t.column_payout,
                     t.column_result, t.column_profit});
  for (const Contract& contract : view.settled) {
    const Cents profit = contract.won ? contract.payout - contract.price : contract.tie ? 0 : -contract.price;
    html += "<tr>" + ContractCells(contract, language) + Cell(contract.won ? t.won : contract.tie ? t.tie : t.lost) +
            Cell(std::string(kCurrency) + " " + FormatProfit(profit, language)) + "</tr>\n";
  }
  if (view.settled.empty()) html += EmptyRow(7, t.no_results);
  html += "</tbody></table>\n";
  return PageDocument(frame, t.portfolio_heading, html);
}

}  // namespace vantrope::demo
