// Tests whose point root defeats (root writes read-only files) skip when run as root.
// Their programs carry the ctest label `unprivileged` (mt_add_test ... UNPRIVILEGED), and
// .ci/run, which runs as root, runs those once more as an unprivileged user.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#define SKIP_UNLESS_UNPRIVILEGED()                                               \
  if (::geteuid() == 0)                                                          \
  GTEST_SKIP() << "root ignores file permissions; .ci/run runs this test as an " \
                  "unprivileged user"
