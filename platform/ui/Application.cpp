#include "platform/ui/Application.h"

#include <new>
#include <stdexcept>

#include "platform/Exceptions.h"
#include "platform/ui/Services.h"

namespace platform {

namespace {
std::string& Title() {
  static std::string title;
  return title;
}
}  // namespace

void SetApplicationTitle(std::string title) { Title() = std::move(title); }
const std::string& ApplicationTitle() { return Title(); }

void ShowException(const std::exception& error) {
  MessageRequest request;
  request.kind = MessageKind::Error;
  request.caption = ApplicationTitle();
  // A path in the sentence shows as the file system names it.
  if (const auto* own = dynamic_cast<const Exception*>(&error)) {
    request.text = own->Text().Bytes();
    request.pathSpans = own->Text().PathSpans();
  } else {
    request.text = error.what();
  }
  ShowMessage(nullptr, request);
}

void HandleException(std::exception_ptr error) {
  try {
    try {
      std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
      ShowException(std::runtime_error("Not enough memory to complete the operation."));
    } catch (const std::exception& e) {
      ShowException(e);
    } catch (...) {
      ShowException(std::runtime_error("Unknown error."));
    }
  } catch (...) {
    // Even the box failed (no memory left for it): the program still goes on.
  }
}

Application::Application(int& argc, char** argv, std::string title) : QApplication(argc, argv) {
  SetApplicationTitle(std::move(title));
  setApplicationName(QString::fromStdString(ApplicationTitle()));
  ShowHourglassWhileWaitingForLocks();
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    HandleException(std::current_exception());
    return false;
  }
}

}  // namespace platform
