#include "support/test_browser_error_page.h"

namespace vantrope::testing {

std::string NetworkErrorPage(NetworkFault fault, const std::string& host_name) {
  const bool refused = fault == NetworkFault::kRefused;
  const std::string heading = refused ? "This site can’t be reached" : "This page isn’t working";
  const std::string summary = refused ? " refused to connect." : " didn’t send any data.";
  const std::string code = refused ? "ERR_CONNECTION_REFUSED" : "ERR_EMPTY_RESPONSE";
  // The error page's own links point into its internal address, not the site.
  const std::string suggestions =
      refused ? "<div id=\"suggestions-list\"><p>Try:</p><ul><li>Checking the connection</li>"
                "<li><a href=\"chrome-error://chromewebdata/#buttons\">Checking the proxy and the firewall</a></li>"
                "</ul></div>"
              : "";
  return "<!DOCTYPE html><html><head><title>" + host_name +
         "</title></head><body class=\"neterror\"><div id=\"main-frame-error\" class=\"interstitial-wrapper\">"
         "<div id=\"main-content\"><div class=\"icon icon-generic\"></div><div id=\"main-message\"><h1><span>" +
         heading + "</span></h1><p><strong>" + host_name + "</strong>" + summary + "</p>" + suggestions +
         "<div class=\"error-code\">" + code +
         "</div></div></div><div id=\"buttons\" class=\"nav-wrapper\"><div id=\"control-buttons\">"
         "<button id=\"reload-button\" class=\"blue-button text-button\">Reload</button></div>"
         "<button id=\"details-button\" class=\"secondary-button text-button small-link\">Details</button></div>"
         "</div></body></html>";
}

}  // namespace vantrope::testing
