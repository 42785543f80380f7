#include "accounts.h"

namespace vantrope::demo {

std::vector<Account> DemoAccounts() {
  return {
      {"CR100200", "demo200", 125000},
      {"CR100201", "demo201", 50000},
      {"VRTC300", "demo300", 1000000},
      // Shows the page that ends a run: disabled once its second contract settles.
      {"CR100209", "demo209", 30000, false, 2},
      // Shows the refused login.
      {"CR100299", "demo299", 10000, true},
  };
}

}  // namespace vantrope::demo
