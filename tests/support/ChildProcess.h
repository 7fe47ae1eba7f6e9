// A second writer in a process of its own: `work` runs in a forked child, which exits
// with 0 when it returned and 1 when it threw. Only for Qt-free tests (a forked child
// of a Qt program would share the parent's threads' state). Qt-free.
#pragma once

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include <gtest/gtest.h>

namespace testing_support {

// Runs `work` in a child process; returns its process id.
inline pid_t RunInChild(const std::function<void()>& work) {
  const pid_t child = ::fork();
  if (child == 0) {
    int status = 0;
    try {
      work();
    } catch (...) {
      status = 1;
    }
    ::_exit(status);
  }
  return child;
}

// Waits for the child and fails the test unless `work` returned.
inline void ExpectChildSucceeded(pid_t child) {
  int status = 0;
  ASSERT_EQ(child, ::waitpid(child, &status, 0));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child process failed";
}

}  // namespace testing_support
