// SIGTERM and SIGINT, turned into a call on the user-interface thread. The
// signal handler only writes a byte to a socket pair; a socket notifier
// reads it in the event loop.
#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace vantrope {

class TerminationSignals {
 public:
  // Installs the handlers; `on_signal` runs once, from the event loop, after Listen().
  explicit TerminationSignals(std::function<void()> on_signal);
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // From here on a signal, also one that came earlier, reaches `on_signal`.
  void Listen();

 private:
  int sockets_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> on_signal_;
};

}  // namespace vantrope
