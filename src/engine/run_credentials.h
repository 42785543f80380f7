// The account the robot logs in with, copied from the account panel at
// Start (the panel is locked while the robot runs). The password is kept in
// memory only, and dropped at Stop.
#pragma once

#include <string>

namespace vantrope {

struct RunCredentials {
  std::string login;
  std::string password;
};

}  // namespace vantrope
