#include "pages.h"

namespace vantrope::demo {

namespace {

struct Option {
  std::string value;
  std::string text;
};

// A select showing `chosen`; when no option has that value the browser shows the first.
std::string Select(const std::string& id, const std::vector<Option>& options, const std::string& chosen) {
  std::string html = "<select id=\"" + id + "\" name=\"" + id + "\">";
  for (const Option& option : options) {
    html += "<option value=\"" + EscapeAttribute(option.value) + "\"" +
            (option.value == chosen ? " selected=\"\"" : "") + ">" + EscapeText(option.text) + "</option>";
  }
  return html + "</select>\n";
}

std::string Label(const std::string& id, const std::string& text) {
  return "<label for=\"" + id + "\">" + EscapeText(text) + "</label>\n";
}

std::string Tabs(const PageFrame& frame, const Market& shown) {
  std::string html = "<div class=\"tabs\">";
  bool first = true;
  for (const Market& market : Markets()) {
    if (!first) html += " | ";
    first = false;
    const bool active = &market == &shown;
    html += "<a id=\"tab-" + market.item.code + "\"" + (active ? " class=\"active\"" : "") + " href=\"" +
            EscapeAttribute("/d/trade.cgi?l=" + frame.lang() + "&market=" + market.item.code) + "\">" +
            EscapeText(market.item.Name(frame.language)) + "</a>";
  }
  return html + "</div>\n";
}

}  // namespace

std::string TradeFormMarkup(const PageFrame& frame, const TradeView& view) {
  const Texts& t = frame.texts();
  const Language language = frame.language;
  const TradeForm& form = view.form;
  std::string html = "<form id=\"trade-form\" method=\"get\" action=\"/d/trade.cgi\">\n";
  html += "<input type=\"hidden\" name=\"l\" value=\"" + frame.lang() + "\">\n";
  html += "<input type=\"hidden\" name=\"market\" value=\"" + EscapeAttribute(view.market->item.code) + "\">\n";

  std::vector<Option> groups;
  for (const NamedItem& group : view.market->groups) groups.push_back({group.code, group.Name(language)});
  html += Label("group", t.label_group) + Select("group", groups, form.group);

  // Without scripts the list follows the group chosen when the page was asked for.
  std::vector<Option> instruments;
  for (const Instrument& instrument : view.market->instruments)
    if (form.group == kAllGroup || !HasGroup(*view.market, form.group) || instrument.group == form.group)
      instruments.push_back({instrument.item.code, instrument.item.Name(language)});
  html += Label("underlying", t.label_instrument) + Select("underlying", instruments, form.underlying);

  std::vector<Option> starts = {{"now", t.start_now}};
  for (int minutes : StartMinutes())
    starts.push_back({std::to_string(minutes), t.start_in + std::to_string(minutes) + t.start_minutes});
  html += Label("date_start", t.label_start) + Select("date_start", starts, form.start);

  html += Label("duration_amount", t.label_duration);
  html += "<input type=\"number\" id=\"duration_amount\" name=\"duration_amount\" value=\"" +
          EscapeAttribute(form.duration) + "\" step=\"any\">\n";
  std::vector<Option> units;
  for (size_t i = 0; i < DurationUnits().size(); ++i) units.push_back({DurationUnits()[i].code, t.unit_names[i]});
  html += Label("duration_unit", t.label_unit) + Select("duration_unit", units, form.unit);

  html += Label("basis", t.label_basis) +
          Select("basis", {{"payout", t.basis_payout}, {"stake", t.basis_stake}}, form.basis);
  html += Label("amount", std::string(t.label_amount) + kCurrency);
  html += "<input type=\"number\" id=\"amount\" name=\"amount\" value=\"" + EscapeAttribute(form.amount) +
          "\" step=\"any\">\n";
  html += "<button type=\"submit\" id=\"get-prices\" name=\"get_prices\" value=\"1\">" + EscapeText(t.prices_button) +
          "</button></form>\n";
  return html;
}

std::string PriceBlockOpening(const PageFrame& frame, const Quote& quote, bool up) {
  const Texts& t = frame.texts();
  const Cents price = up ? quote.price_rise : quote.price_fall;
  const Cents payout = up ? quote.payout_rise : quote.payout_fall;
  std::string html = "<div class=\"price-block\" id=\"block-" + std::string(up ? "up" : "down") + "\">";
  html += "<p class=\"contract\">" + EscapeText(up ? t.rise : t.fall) + "</p>";
  html += "<p class=\"price\">" + EscapeText(t.price_label + CurrencyAmount(price, frame.language)) + "</p>";
  html += "<p class=\"payout\">" + EscapeText(t.payout_label + CurrencyAmount(payout, frame.language)) + "</p>";
  return html;
}

namespace {

std::string PriceBlock(const PageFrame& frame, const Quote& quote, bool up) {
  const Texts& t = frame.texts();
  const std::string side = up ? "up" : "down";
  const Cents price = up ? quote.price_rise : quote.price_fall;
  std::string html = PriceBlockOpening(frame, quote, up);
  html += "<form id=\"buy-" + side + "-form\" method=\"post\" action=\"/d/buy.cgi?l=" + frame.lang() + "\">";
  html += "<input type=\"hidden\" name=\"quote\" value=\"" + std::to_string(quote.id) + "\">";
  // The price as the buyer saw it; a machine's number, the same in both languages.
  html += "<input type=\"hidden\" id=\"price-" + side + "\" name=\"price\" value=\"" +
          PlainAmount(price) + "\">";
  html += "<button type=\"submit\" id=\"buy-" + side + "\" name=\"contract_type\" value=\"" + (up ? "CALL" : "PUT") +
          "\">" + EscapeText(t.buy_button) + "</button>";
  return html + "</form></div>\n";
}

}  // namespace

std::string TradeHead(const PageFrame& frame, const TradeView& view) {
  const Texts& t = frame.texts();
  std::string html = Tabs(frame, *view.market);
  html += "<p class=\"market\" id=\"market\">" + EscapeText(t.market_label + view.market->item.Name(frame.language)) +
          "</p>\n";
  if (view.prices_changed)
    html += "<p class=\"notice\" id=\"prices-changed\">" + EscapeText(t.prices_changed) + "</p>\n";
  return html;
}

std::string TradePage(const PageFrame& frame, const TradeView& view) {
  const Texts& t = frame.texts();
  std::string html = TradeHead(frame, view) + TradeFormMarkup(frame, view);
  if (view.quote != nullptr) html += PriceBlock(frame, *view.quote, true) + PriceBlock(frame, *view.quote, false);
  return PageDocument(frame, t.trade_heading, html);
}

}  // namespace vantrope::demo
