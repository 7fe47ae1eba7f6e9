// The application object and its default error handler. No exception may cross a
// Qt frame: every handler runs inside a guard, and whatever leaves a handler ends up
// in HandleException, which shows the sentence in an error box titled with the
// program's name. The program goes on.
#pragma once

#include <QApplication>
#include <QObject>
#include <exception>
#include <string>
#include <type_traits>
#include <utility>

namespace platform {

void SetApplicationTitle(std::string title);
const std::string& ApplicationTitle();

// The default handler: shows the current exception (call from a catch block) or the
// given one in the error box.
void HandleException(std::exception_ptr error);
void ShowException(const std::exception& error);

// Runs `handler`; an exception that leaves it goes to the default handler.
template <typename Handler>
void RunGuarded(Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
  } catch (...) {
    HandleException(std::current_exception());
  }
}

// A slot that runs inside the guard. A handler may take
// the signal's arguments or none of them.
template <typename Handler>
auto Guarded(Handler handler) {
  return [handler = std::move(handler)](auto&&... args) mutable {
    RunGuarded([&] {
      if constexpr (std::is_invocable_v<Handler&, decltype(args)...>) {
        handler(std::forward<decltype(args)>(args)...);
      } else {
        handler();
      }
    });
  };
}

// connect() whose slot runs inside the guard.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection Connect(Sender* sender, Signal signal, QObject* context, Handler handler) {
  return QObject::connect(sender, signal, context, Guarded(std::move(handler)));
}

class Application : public QApplication {
 public:
  Application(int& argc, char** argv, std::string title);
  // The last line of defence: exceptions that escape an event go to the default handler.
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace platform
