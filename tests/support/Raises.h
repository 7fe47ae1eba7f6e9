// Expecting an exception of the program's own classes: its class, its sentence and,
// where it matters, its help context. A failure names the line of the call. Qt-free.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <source_location>
#include <string>

#include "platform/Exceptions.h"

namespace testing_support {

// The message of the `E` that `action` raises, or nothing when it returns normally.
// Any other exception leaves the call (and fails the test).
template <typename E = platform::Exception>
std::optional<std::string> RaisedMessage(const std::function<void()>& action) {
  try {
    action();
  } catch (const E& error) {
    return error.Message();
  }
  return std::nullopt;
}

// `action` raises an `E` whose message is exactly `message` (and whose help context is
// `helpContext`, when given).
template <typename E = platform::Exception>
void ExpectRaises(const std::function<void()>& action, const std::string& message,
                  std::optional<int> helpContext = std::nullopt,
                  std::source_location where = std::source_location::current()) {
  testing::ScopedTrace trace(where.file_name(), static_cast<int>(where.line()), "ExpectRaises");
  try {
    action();
    ADD_FAILURE() << "nothing was raised; expected: " << message;
  } catch (const E& error) {
    EXPECT_EQ(message, error.Message());
    if (helpContext) {
      EXPECT_EQ(*helpContext, error.HelpContext()) << error.Message();
    }
  }
}

}  // namespace testing_support
