// The trading pages of the site: prices, buying, the receipt and the portfolio.
#include "pages.h"
#include "site_call.h"

namespace vantrope::demo {

namespace {

// How long quoted prices can be bought at, in the contracts' own time.
constexpr int64_t kQuoteLifetimeMs = 30000;
constexpr size_t kResultsShown = 10;

Cents RoundedQuotient(Cents numerator, Cents denominator) { return (numerator + denominator / 2) / denominator; }

bool ReadId(const std::string& text, int& id) {
  if (text.empty() || text.size() > 9) return false;
  id = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    id = id * 10 + (c - '0');
  }
  return true;
}

std::string TradingPage(const SiteOptions& options, const PageFrame& frame, const TradeView& view) {
  return options.modern ? ModernTradePage(frame, view) : TradePage(frame, view);
}

}  // namespace

Response BrokerSite::Trade(Call& call, Session& session) {
  TradeView view;
  view.form = ReadTradeForm(call.query);
  view.market = FormMarket(view.form);
  if (view.market == nullptr) return HtmlResponse(400, RequestErrorPage(call.frame, call.frame.texts().reason_market));
  view.prices_changed = FieldValue(call.query, "notice") == "changed";
  if (!FieldValue(call.query, "get_prices").empty()) {
    const CheckedTrade checked = CheckTradeForm(view.form);
    if (checked.error != TradeError::kNone)
      return HtmlResponse(400, RequestErrorPage(call.frame, TradeErrorText(checked, call.frame.language)));
    if (options_.withhold_prices) return HtmlResponse(200, TradingPage(options_, call.frame, view));
    Quote quote;
    quote.form = view.form;
    quote.terms = checked.terms;
    quote.made_ms = call.now_ms;
    const Cents amount = checked.terms.amount;
    for (bool rise : {true, false}) {
      const int drawn = shares_.Next();  // basis points of the payout
      const int share = options_.price_share > 0 ? options_.price_share * 100 : drawn;
      Cents& price = rise ? quote.price_rise : quote.price_fall;
      Cents& payout = rise ? quote.payout_rise : quote.payout_fall;
      payout = checked.terms.payout_basis ? amount : RoundedQuotient(amount * 10000, share);
      price = checked.terms.payout_basis ? RoundedQuotient(amount * share, 10000) : amount;
    }
    view.quote = &session.AddQuote(std::move(quote));
  }
  return HtmlResponse(200, TradingPage(options_, call.frame, view));
}

Response BrokerSite::Buy(Call& call, Session& session, Account& account) {
  const std::string type = FieldValue(call.form, "contract_type");
  const std::optional<Cents> price = ParseAmount(FieldValue(call.form, "price"));
  int quote_id = 0;
  if (!ReadId(FieldValue(call.form, "quote"), quote_id) || (type != "CALL" && type != "PUT") || !price)
    return Redirect(call.Here("/d/error.cgi?l=" + call.lang() + "&reason=purchase"));
  const bool rise = type == "CALL";
  const Quote* quote = session.FindQuote(quote_id);
  if (quote == nullptr || call.now_ms - quote->made_ms > Scaled(kQuoteLifetimeMs) ||
      *price != (rise ? quote->price_rise : quote->price_fall)) {
    Fields query = TradeFormQuery(quote != nullptr ? quote->form : TradeForm(), call.frame.language);
    query.emplace_back("notice", "changed");
    if (quote != nullptr) session.DropQuote(quote_id);
    return Redirect(call.Here("/d/trade.cgi?" + EncodeFields(query)));
  }
  if (*price > account.balance) return Redirect(call.Here("/d/error.cgi?l=" + call.lang() + "&reason=balance"));
  const TradeTerms& terms = quote->terms;
  Contract contract;
  contract.account = account.number;
  contract.market = terms.market->item.code;
  contract.instrument = terms.instrument->item.code;
  contract.rise = rise;
  contract.price = *price;
  contract.payout = rise ? quote->payout_rise : quote->payout_fall;
  contract.duration = terms.duration;
  contract.unit = terms.unit->code;
  contract.start_ms = call.now_ms + Scaled(int64_t{terms.start_minutes} * 60000);
  contract.expiry_ms = contract.start_ms + Scaled(terms.duration * terms.unit->unit_ms);
  account.balance -= *price;
  const int id = contracts_.Open(std::move(contract)).id;
  session.DropQuote(quote_id);
  return Redirect(call.Here("/d/receipt.cgi?l=" + call.lang() + "&contract=" + std::to_string(id)));
}

Response BrokerSite::Receipt(Call& call, const Account& account) {
  int id = 0;
  const Contract* contract = ReadId(FieldValue(call.query, "contract"), id) ? contracts_.Find(id) : nullptr;
  if (contract == nullptr || contract->account != account.number) return HtmlResponse(404, NotFoundPage(call.frame));
  return HtmlResponse(200, ReceiptPage(call.frame, *contract, account.balance));
}

Response BrokerSite::Portfolio(Call& call, const Account& account) {
  PortfolioView view;
  view.account = &account;
  view.open = contracts_.OpenOf(account.number);
  view.settled = contracts_.SettledOf(account.number, kResultsShown);
  view.now_ms = call.now_ms;
  view.time_scale = options_.time_scale;
  return HtmlResponse(200, PortfolioPage(call.frame, view));
}

}  // namespace vantrope::demo
