#include <gtest/gtest.h>

#include <QPushButton>
#include <new>
#include <stdexcept>

#include "platform/ui/Application.h"
#include "tests/support/FakeServices.h"

namespace platform {
namespace {

using testing_support::ScopedFakeServices;

constexpr const char* kOutOfMemory = "Not enough memory to complete the operation.";

// What reaches the default handler is shown in an error box titled with the program's
// name, in a sentence a user can read, and the program goes on.
TEST(ApplicationTest, TheDefaultHandlerShowsTheSentenceAndGoesOn) {
  ScopedFakeServices services;
  services.messages.Expect(MessageKind::Error, "Cannot do that.");
  services.messages.Expect(MessageKind::Error, kOutOfMemory);
  services.messages.Expect(MessageKind::Error, kOutOfMemory);
  services.messages.Expect(MessageKind::Error, "Unknown error.");
  RunGuarded([] { throw std::runtime_error("Cannot do that."); });
  RunGuarded([] { throw std::bad_alloc(); });
  QPushButton button;
  int clicks = 0;
  Connect(&button, &QPushButton::clicked, &button, [&] {
    ++clicks;
    throw std::bad_array_new_length();
  });
  button.click();
  RunGuarded([] { throw 42; });
  EXPECT_EQ(1, clicks);
  EXPECT_EQ("Test", services.messages.Seen().back().caption);
}

}  // namespace
}  // namespace platform
