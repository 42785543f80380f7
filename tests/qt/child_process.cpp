#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace vantrope::testing {

namespace {

using Clock = std::chrono::steady_clock;

// Looked up before the fork: the child of a threaded process may only make
// the simplest calls until it runs the program.
std::string ProgramPath(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  for (size_t start = 0; start <= folders.size();) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string candidate = folders.substr(start, end - start) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  throw std::runtime_error(name + " is not installed");
}

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
  if (argv.empty()) throw std::runtime_error("no program to start");
  const std::string program = ProgramPath(argv[0]);
  int pipe_ends[2], input_ends[2];
  if (pipe2(pipe_ends, O_CLOEXEC) != 0) throw std::runtime_error("cannot start " + program);
  if (pipe2(input_ends, O_CLOEXEC) != 0) {
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    throw std::runtime_error("cannot start " + program);
  }
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ < 0) {
    for (int end : {pipe_ends[0], pipe_ends[1], input_ends[0], input_ends[1]}) close(end);
    throw std::runtime_error("cannot start " + program);
  }
  if (pid_ == 0) {
    // A test process that dies leaves no server behind.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);
    dup2(pipe_ends[1], STDOUT_FILENO);
    dup2(input_ends[0], STDIN_FILENO);
    execv(program.c_str(), args.data());
    _exit(127);
  }
  close(pipe_ends[1]);
  close(input_ends[0]);
  output_ = pipe_ends[0];
  input_ = input_ends[1];
}

bool ChildProcess::WriteLine(const std::string& line) {
  const std::string text = line + "\n";
  // A program that has ended must not end the test with SIGPIPE.
  const sighandler_t previous = signal(SIGPIPE, SIG_IGN);
  const bool written = write(input_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  signal(SIGPIPE, previous);
  return written;
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) Stop();
  if (output_ >= 0) close(output_);
  if (input_ >= 0) close(input_);
}

std::optional<std::string> ChildProcess::ReadLine(int timeout_ms) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    const size_t end = pending_.find('\n');
    if (end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return line;
    }
    pollfd waiting{output_, POLLIN, 0};
    const int ready = poll(&waiting, 1, RemainingMs(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    char buffer[512];
    const ssize_t got = read(output_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return std::nullopt;
    pending_.append(buffer, static_cast<size_t>(got));
  }
}

int ChildProcess::Stop() {
  if (pid_ <= 0) return -1;
  kill(pid_, SIGTERM);
  int status = 0;
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(30);
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (RemainingMs(deadline) == 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  pid_ = -1;
  return status;
}

void ChildProcess::Kill() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

}  // namespace vantrope::testing
