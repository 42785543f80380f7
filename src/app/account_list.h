// The user's account numbers for the account box, kept in a plain text file
// beside the settings file, one number a line.
#pragma once

#include <string>
#include <vector>

namespace vantrope {

inline constexpr const char* kAccountListFile = "accounts.txt";

// Blank lines and lines starting with '#' are skipped; a missing file is an
// empty list.
std::vector<std::string> ReadAccountList(const std::string& path);

}  // namespace vantrope
