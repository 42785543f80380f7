// The site's pages, rendered from what they show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contracts.h"
#include "page_frame.h"
#include "sessions.h"
#include "trade_form.h"

namespace vantrope::demo {

enum class LoginNotice { kNone, kFailed, kDisabled, kExpired };
std::string LoginPage(const PageFrame& frame, LoginNotice notice);

// Shown to a logged-in account at the main address.
std::string MainPage(const PageFrame& frame);

struct PortfolioView {
  const Account* account = nullptr;
  std::vector<Contract> open;
  std::vector<Contract> settled;
  int64_t now_ms = 0;
  int time_scale = 1;  // the open contracts' remaining time is shown in contract time
};
std::string PortfolioPage(const PageFrame& frame, const PortfolioView& view);

struct TradeView {
  TradeForm form;
  const Market* market = nullptr;
  bool prices_changed = false;
  const Quote* quote = nullptr;  // the prices asked for, when there are some
};
std::string TradePage(const PageFrame& frame, const TradeView& view);
// The trading page as a site built by scripts shows it: the form put in by
// the page's script after the load, its values kept in the script's own
// state (heard only from the input and change events of typing), the buy
// buttons outside any form and their receipt shown in place.
std::string ModernTradePage(const PageFrame& frame, const TradeView& view);
// The parts both pages share: the market tabs and notices, the form.
std::string TradeHead(const PageFrame& frame, const TradeView& view);
std::string TradeFormMarkup(const PageFrame& frame, const TradeView& view);
// A price block's opening: its div, the contract, the price and the payout.
std::string PriceBlockOpening(const PageFrame& frame, const Quote& quote, bool up);

std::string ReceiptPage(const PageFrame& frame, const Contract& contract, Cents balance);

// The account is disabled: the frame carries no account, the page its own
// logout link.
std::string DisabledPage(const PageFrame& frame, const std::string& account);

std::string RequestErrorPage(const PageFrame& frame, const std::string& reason);
std::string NotFoundPage(const PageFrame& frame);
std::string RefusedPage(const PageFrame& frame);

}  // namespace vantrope::demo
