// Forked child processes for tests of several processes sharing a vault (posix only).
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

namespace vendrel::testing {

// Signalling between a parent and a forked child, and small numbers sent back.
class Pipe {
 public:
  Pipe() { EXPECT_EQ(pipe(fds_), 0); }
  ~Pipe() {
    close(fds_[0]);
    close(fds_[1]);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;

  void Signal() { EXPECT_EQ(write(fds_[1], "x", 1), 1); }
  bool Wait() {
    char c = 0;
    return read(fds_[0], &c, 1) == 1;
  }
  void Send(std::int64_t value) {
    EXPECT_EQ(write(fds_[1], &value, sizeof value), static_cast<ssize_t>(sizeof value));
  }
  bool Receive(std::int64_t& value) {
    return read(fds_[0], &value, sizeof value) == static_cast<ssize_t>(sizeof value);
  }

 private:
  int fds_[2] = {-1, -1};
};

// Runs `child` in a forked process and returns its pid; the child's exit status is 0 when
// `child` returned true. No database connection may be open across the fork.
inline pid_t Spawn(const std::function<bool()>& child) {
  const pid_t pid = fork();
  if (pid == 0) {
    bool ok = false;
    try {
      ok = child();
    } catch (...) {
    }
    _exit(ok ? 0 : 1);
  }
  return pid;
}

// -1 when the child did not exit by itself (it was killed).
inline int ExitStatus(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace vendrel::testing
