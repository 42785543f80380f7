#include "app/qt/termination_signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <stdexcept>

namespace vantrope {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT};
volatile sig_atomic_t g_write_socket = -1;

void OnSignal(int) {
  const int saved_errno = errno;
  const char byte = 1;
  // A full socket already holds a wake-up; nothing more is needed.
  [[maybe_unused]] const ssize_t written = write(g_write_socket, &byte, 1);
  errno = saved_errno;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> on_signal) : on_signal_(std::move(on_signal)) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets_) != 0)
    throw std::runtime_error("cannot create the signal socket pair");
  fcntl(sockets_[0], F_SETFL, fcntl(sockets_[0], F_GETFL) | O_NONBLOCK);
  g_write_socket = sockets_[0];

  notifier_ = std::make_unique<QSocketNotifier>(sockets_[1], QSocketNotifier::Read);
  notifier_->setEnabled(false);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
    char buffer[16];
    [[maybe_unused]] const ssize_t got = read(sockets_[1], buffer, sizeof buffer);
    // One shutdown is all there is.
    notifier_->setEnabled(false);
    on_signal_();
  });

  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal_number : kSignals) sigaction(signal_number, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  for (int signal_number : kSignals) std::signal(signal_number, SIG_DFL);
  g_write_socket = -1;
  notifier_.reset();
  close(sockets_[0]);
  close(sockets_[1]);
}

void TerminationSignals::Listen() { notifier_->setEnabled(true); }

}  // namespace vantrope
