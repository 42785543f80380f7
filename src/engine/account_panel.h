// The account panel: the account and password the robot logs in with and
// the balances of the run.
#pragma once

#include "ui/controls.h"

namespace vantrope {

struct AccountPanel {
  ui::Label lbLogin, lbPassword, lbStartBalanse, lbCurrentBalanse, lbWinBalanse;
  ui::ComboBox cbeLogin;
  ui::TextEdit tePassword;
  ui::NumberEdit neStartBalanse, neCurrentBalanse, neWinBalanse;
};

}  // namespace vantrope
