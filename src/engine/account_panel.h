// The account panel: the account and password the robot logs in with and
// the balances of the run.
#pragma once

#include "ui/controls.h"

namespace vantrope {

// The run's money as the account panel shows it.
struct RunBalances {
  double start = 0;
  double current = 0;
  double win = 0;
};

struct AccountPanel {
  ui::Label lbLogin, lbPassword, lbStartBalanse, lbCurrentBalanse, lbWinBalanse;
  ui::ComboBox cbeLogin;
  ui::TextEdit tePassword;
  ui::NumberEdit neStartBalanse, neCurrentBalanse, neWinBalanse;

  // The win is coloured by its sign.
  void ShowBalances(const RunBalances& balances) {
    neStartBalanse.SetValue(balances.start);
    neCurrentBalanse.SetValue(balances.current);
    neWinBalanse.SetValue(balances.win);
    neWinBalanse.SetFontColor(balances.win == 0  ? ui::Rgb(0xC0, 0xC0, 0xC0)
                              : balances.win > 0 ? ui::Rgb(0x00, 0x80, 0x00)
                                                 : ui::Rgb(0xFF, 0x00, 0x00));
  }
};

}  // namespace vantrope
