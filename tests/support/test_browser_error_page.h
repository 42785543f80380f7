// The page a browser shows of its own when a load fails on the network: no
// form, one link within the page, the error's name in the text. Its markup
// follows the engine's network error page as the program's browser shows it.
#pragma once

#include <string>

namespace vantrope::testing {

// How a load fails on the network.
enum class NetworkFault {
  kNone,
  // The connection is refused: the request never reaches the site.
  kRefused,
  // The site gets the request and acts on it, but its answer is lost.
  kAnswerLost,
};

// The body of the browser's error page for a load from this host name.
std::string NetworkErrorPage(NetworkFault fault, const std::string& host_name);

}  // namespace vantrope::testing
