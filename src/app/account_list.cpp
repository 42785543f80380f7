#include "app/account_list.h"

#include <fstream>

#include "text/utf8.h"

namespace vantrope {

std::vector<std::string> ReadAccountList(const std::string& path) {
  std::vector<std::string> accounts;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    std::string account = Trim(line);
    if (account.empty() || account.front() == '#') continue;
    accounts.push_back(std::move(account));
  }
  return accounts;
}

}  // namespace vantrope
