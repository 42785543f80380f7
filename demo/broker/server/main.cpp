// vantrope-demo-broker: the demo broker's site over HTTP on 127.0.0.1.
#include <httplib.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <iostream>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "broker/broker_site.h"
#include "server_options.h"
#include "steady_site_clock.h"

namespace {

using vantrope::demo::BrokerSite;

vantrope::demo::Request SiteRequest(const httplib::Request& request, int port) {
  vantrope::demo::Request site_request;
  site_request.method = request.method;
  site_request.host = request.get_header_value("Host");
  if (site_request.host.empty()) site_request.host = "127.0.0.1:" + std::to_string(port);
  site_request.path = request.path;
  const size_t question = request.target.find('?');
  if (question != std::string::npos) site_request.query = request.target.substr(question + 1);
  site_request.body = request.body;
  site_request.cookie = request.get_header_value("Cookie");
  return site_request;
}

void Answer(const vantrope::demo::Response& site_response, httplib::Response& response) {
  response.status = site_response.status;
  std::string content_type;
  for (const auto& [name, value] : site_response.headers) {
    if (name == "Content-Type")
      content_type = value;
    else
      response.set_header(name, value);
  }
  if (!content_type.empty()) response.set_content(site_response.body, content_type);
}

bool WriteAccounts(const std::string& path, const std::vector<vantrope::demo::Account>& accounts) {
  std::ofstream file(path, std::ios::trunc);
  for (const auto& account : accounts) file << account.number << '\n';
  return static_cast<bool>(file.flush());
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = vantrope::demo::ParseServerOptions({argv + 1, argv + argc}, error);
  if (!options) {
    std::cerr << "vantrope-demo-broker: " << error << "\n" << vantrope::demo::kServerUsage;
    return 2;
  }

  // The server's threads inherit the mask; only the main thread takes the signals.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGTERM);
  sigaddset(&stop_signals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  httplib::Server server;
  const int port = options->port == 0                                ? server.bind_to_any_port("127.0.0.1")
                   : server.bind_to_port("127.0.0.1", options->port) ? options->port
                                                                     : -1;
  if (port <= 0) {
    std::cerr << "vantrope-demo-broker: cannot listen on 127.0.0.1:" << options->port << "\n";
    return 1;
  }

  vantrope::demo::SiteOptions site_options;
  site_options.hosts = {"127.0.0.1:" + std::to_string(port), "localhost:" + std::to_string(port)};
  site_options.time_scale = options->time_scale;
  site_options.seed = options->seed;
  site_options.script = options->script;
  site_options.price_share = options->price_share;
  site_options.modern = options->modern;
  site_options.session_idle_ms = int64_t{options->session_minutes} * 60000;
  if (!options->accounts_file.empty() && !WriteAccounts(options->accounts_file, site_options.accounts)) {
    std::cerr << "vantrope-demo-broker: cannot write " << options->accounts_file << "\n";
    return 1;
  }
  vantrope::demo::SteadySiteClock clock;
  BrokerSite site(site_options, clock);

  // The site is one state; the server's threads take turns with it.
  std::mutex site_mutex;
  auto handler = [&](const httplib::Request& request, httplib::Response& response) {
    const vantrope::demo::Request site_request = SiteRequest(request, port);
    if (options->trace_purchases && site_request.method == "POST" && site_request.path == "/d/buy.cgi") {
      const auto since = std::chrono::steady_clock::now().time_since_epoch();
      std::cout << "purchase " << std::chrono::duration_cast<std::chrono::milliseconds>(since).count() << std::endl;
    }
    vantrope::demo::Response site_response;
    {
      std::lock_guard<std::mutex> lock(site_mutex);
      site_response = site.Handle(site_request);
    }
    Answer(site_response, response);
  };
  server.Get(".*", handler);
  server.Post(".*", handler);

  std::atomic<bool> listening_ended = false;
  std::thread listener([&] {
    server.listen_after_bind();
    listening_ended = true;
  });
  while (!server.is_running() && !listening_ended) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  if (listening_ended) {
    listener.join();
    std::cerr << "vantrope-demo-broker: cannot serve on 127.0.0.1:" << port << "\n";
    return 1;
  }
  std::cout << "vantrope-demo-broker: listening on http://127.0.0.1:" << port << "/ and http://localhost:" << port
            << "/" << std::endl;

  int signal_number = 0;
  sigwait(&stop_signals, &signal_number);
  server.stop();
  listener.join();
  std::cout << "vantrope-demo-broker: stopped" << std::endl;
  return 0;
}
