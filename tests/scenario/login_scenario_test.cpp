// The robot logs in: the password goes as typed, and only to the site's own
// hosts; a refusal ends the run only when the login form's own answer says so.
#include <gtest/gtest.h>

#include "scenario/bet_scenario.h"

namespace vantrope::testing {
namespace {

constexpr const char* kBlankedPassword = "  demo201 ";

class LoginScenario : public BetScenario {
 protected:
  LoginScenario() : BetScenario(SiteWithBlanksInAPassword(), {}) {}
  static demo::SiteOptions SiteWithBlanksInAPassword() {
    demo::SiteOptions options = Options("W");
    for (demo::Account& account : options.accounts)
      if (account.number == "CR100201") account.password = kBlankedPassword;
    return options;
  }
};

TEST_F(LoginScenario, PasswordWithBlanksAtItsEndsLogsIn) {
  Start("CR100201", kBlankedPassword);
  ASSERT_TRUE(ReachReadyForm()) << "step " << F().robot.BetOnStatus << ", page " << int(F().page.PageIndex);
  EXPECT_EQ(RowsOfType(ltError), 0);
}

}  // namespace
}  // namespace vantrope::testing
