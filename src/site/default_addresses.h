// The broker's addresses used when the settings file names none: the demo
// broker that ships with the program, with its portfolio on a second host name.
#pragma once

namespace vantrope {

inline constexpr const char* kBrokerHost = "127.0.0.1";
inline constexpr const char* kDefaultMainUrl = "http://127.0.0.1:8470/d/contact.cgi?l=EN";
inline constexpr const char* kDefaultReturnUrl = "http://127.0.0.1:8470/d/trade.cgi?l=EN";
inline constexpr const char* kDefaultLogOutUrl = "http://127.0.0.1:8470/logout";
inline constexpr const char* kDefaultPortFolioUrl = "http://localhost:8470/d/portfolio.cgi?l=EN";

}  // namespace vantrope
