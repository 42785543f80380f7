// The site's trading accounts, held in memory.
#pragma once

#include <string>
#include <vector>

#include "money.h"

namespace vantrope::demo {

struct Account {
  std::string number;
  std::string password;
  Cents balance = 0;
  bool disabled = false;
  // The account is disabled when this many of its contracts have settled;
  // 0: never.
  int disable_after_contracts = 0;
  int settled_contracts = 0;
};

// The accounts the demo site starts with.
std::vector<Account> DemoAccounts();

}  // namespace vantrope::demo
