// vantrel-cli started from a test, on the emulated printer the test's
// process serves (the program inherits the preload and UMOCKDEV_DIR).
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

extern char** environ;

class CliProcess {
 public:
  using Clock = std::chrono::steady_clock;

  // Starts vantrel-cli ARGS with its standard output and error on pipes;
  // `environment` entries NAME=VALUE are added to the test's own.
  explicit CliProcess(const std::vector<std::string>& args,
                      const std::vector<std::string>& environment = {}) {
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::vector<std::string> argv = {VANTREL_CLI};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> env(environment);
    for (char** entry = environ; *entry; ++entry) env.emplace_back(*entry);
    if (posix_spawn(&pid_, VANTREL_CLI, &actions, nullptr, Pointers(argv).data(),
                    Pointers(env).data()) != 0)
      pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    out_ = out[0];
    err_ = err[0];
  }
  ~CliProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      Wait(std::chrono::seconds(5));
    }
    if (out_ >= 0) close(out_);
    if (err_ >= 0) close(err_);
  }
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  // The next line of the standard output (without its newline); false when
  // none came within `wait` or the output ended.
  bool ReadLine(std::string& line, Clock::duration wait) {
    const auto end = Clock::now() + wait;
    for (;;) {
      const std::size_t newline = pending_.find('\n');
      if (newline != std::string::npos) {
        line = pending_.substr(0, newline);
        pending_.erase(0, newline + 1);
        return true;
      }
      if (out_ < 0 || !ReadSome(out_, pending_, end)) return false;
    }
  }
  // Closes the reading end of the standard output, as `| head -1` does.
  void CloseOutput() {
    close(out_);
    out_ = -1;
  }
  void Signal(int signal) { kill(pid_, signal); }
  // The exit status (128 + the signal that ended it), or -1 when it still
  // runs after `wait`. Whatever was left on the pipes lands in Out and Err.
  int Wait(Clock::duration wait) {
    const auto end = Clock::now() + wait;
    while (pid_ > 0) {
      int status = 0;
      const pid_t done = waitpid(pid_, &status, WNOHANG);
      if (done == pid_) {
        pid_ = 0;
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        break;
      }
      if (Clock::now() >= end) return -1;
      // Keep the pipes drained, so that a long output cannot block it.
      if (out_ >= 0) ReadSome(out_, pending_, Clock::now() + std::chrono::milliseconds(10));
      if (err_ >= 0) ReadSome(err_, err_text_, Clock::now() + std::chrono::milliseconds(10));
    }
    while (out_ >= 0 && ReadSome(out_, pending_, Clock::now())) {}
    while (err_ >= 0 && ReadSome(err_, err_text_, Clock::now())) {}
    return status_;
  }
  const std::string& Out() const { return pending_; }
  const std::string& Err() const { return err_text_; }

 private:
  // The char* array a spawn takes, ending with a null pointer.
  static std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (std::string& text : strings) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
  }
  static bool ReadSome(int fd, std::string& into, Clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    pollfd in{fd, POLLIN, 0};
    if (poll(&in, 1, int(std::max<long long>(left.count(), 0))) != 1) return false;
    char buffer[4096];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got <= 0) return false;
    into.append(buffer, std::size_t(got));
    return true;
  }

  pid_t pid_ = 0;
  int out_ = -1, err_ = -1;
  std::string pending_, err_text_;
  int status_ = -1;
};
