// Every text the site's pages show, in English and in Russian.
#pragma once

#include "language.h"

namespace vantrope::demo {

struct Texts {
  const char* site_name;
  const char* nav_home;
  const char* nav_trade;
  const char* nav_portfolio;
  const char* nav_logout;

  const char* login_heading;
  const char* login_intro;
  const char* login_account;
  const char* login_password;
  const char* login_button;
  const char* login_failed;
  const char* login_failed_disabled;
  const char* session_expired;

  const char* main_heading;
  const char* main_logged_in_as;  // followed by the account number and "."
  const char* main_hint;

  const char* portfolio_heading;
  const char* summary_account;
  const char* summary_balance;
  const char* summary_open;
  const char* open_heading;
  const char* results_heading;
  const char* column_contract;
  const char* column_instrument;
  const char* column_type;
  const char* column_price;
  const char* column_payout;
  const char* column_ends_in;
  const char* column_result;
  const char* column_profit;
  const char* no_open_contracts;
  const char* no_results;
  const char* won;
  const char* lost;
  const char* tie;

  const char* trade_heading;
  const char* market_label;  // followed by the market's name
  const char* prices_changed;
  const char* label_group;
  const char* label_instrument;
  const char* label_start;
  const char* start_now;
  const char* start_in;  // followed by the minutes and start_minutes
  const char* start_minutes;
  const char* label_duration;
  const char* label_unit;
  const char* unit_names[4];  // seconds, minutes, hours, days
  const char* unit_short[4];
  const char* label_basis;
  const char* basis_payout;
  const char* basis_stake;
  const char* label_amount;  // followed by the currency
  const char* prices_button;
  const char* rise;
  const char* fall;
  const char* price_label;   // followed by the currency and the amount
  const char* payout_label;  // the same
  const char* buy_button;

  const char* receipt_heading;
  const char* receipt_bought;  // followed by the contract number and receipt_bought_end
  const char* receipt_bought_end;
  const char* row_duration;
  const char* row_balance;
  const char* view_portfolio;

  const char* disabled_heading;
  const char* disabled_text;  // followed by the account number and disabled_text_end
  const char* disabled_text_end;

  const char* request_error_heading;
  const char* request_error_text;
  const char* not_found_heading;
  const char* not_found_text;
  const char* refused_heading;
  const char* refused_text;
  const char* back_to_trading;
  const char* to_main_page;

  // Why a request could not be processed.
  const char* reason_market;
  const char* reason_group;
  const char* reason_instrument;
  const char* reason_not_in_group;
  const char* reason_start;
  const char* reason_unit;
  const char* reason_duration;  // followed by the smallest and largest whole number
  const char* reason_duration_to;
  const char* reason_basis;
  const char* reason_amount;
  const char* reason_purchase;
};

const Texts& TextsFor(Language language);

}  // namespace vantrope::demo
