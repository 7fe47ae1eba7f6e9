// The modal and system services of the programs, each behind a small interface:
// message boxes, file dialogs, modal dialog runs, the screen cursor, the beep and the
// clipboard. The programs use the Qt implementations; tests install scripted fakes.
#pragma once

#include <QPoint>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "platform/Sentence.h"

class QDialog;
class QWidget;

namespace platform {

enum class MessageKind { Warning, Information, Confirmation, Error };
// A confirmation closed without a button answers No.
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
  MessageKind kind = MessageKind::Information;
  std::string caption;
  std::string text;
  // Top left corner on the screen; without one the box is centred on the screen.
  std::optional<QPoint> topLeft;
  // Spans of `text` that are paths (or other Unicode text) as the file system names
  // them; the rest is code-page text (see Sentence).
  std::vector<TextSpan> pathSpans{};
};

class MessageService {
 public:
  virtual ~MessageService() = default;
  virtual MessageAnswer Show(QWidget* parent, const MessageRequest& request) = 0;
};

struct FileDialogRequest {
  enum class Mode { Open, OpenMultiple, Save };
  Mode mode = Mode::Open;
  std::string title;
  // Pairs of description and patterns: "TLK file|*.tlk|All files (*.*)|*.*".
  std::string filter;
  std::string defaultExtension;
  std::string fileName;
  std::string initialDirectory;
  bool overwritePrompt = false;
  bool fileMustExist = false;
  bool pathMustExist = false;
};

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  // The chosen full paths; empty when the user cancels.
  virtual std::vector<std::string> Run(QWidget* parent, const FileDialogRequest& request) = 0;
};

class ModalService {
 public:
  virtual ~ModalService() = default;
  // Shows `dialog` modally and returns its result (QDialog::Accepted, Rejected or
  // the code given to done()).
  virtual int Run(QDialog& dialog) = 0;
};

enum class CursorShape { Normal, Hourglass };

class CursorService {
 public:
  virtual ~CursorService() = default;
  virtual CursorShape Current() const = 0;
  virtual void Set(CursorShape shape) = 0;
  // Lets pending window messages run once, so that a new cursor shows. User input
  // (clicks, keys) stays queued: it must not start a command under a running one.
  virtual void ProcessPendingMessages() = 0;
};

class BeepService {
 public:
  virtual ~BeepService() = default;
  virtual void Beep() = 0;
};

class ClipboardService {
 public:
  virtual ~ClipboardService() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
};

// A request's filter ("Description|*.a;*.b|...") as Qt's name filter
// ("Description (*.a *.b);;..."); a description that already shows its patterns in
// brackets keeps them once.
std::string QtFileFilter(const std::string& filter);

struct Services {
  MessageService* messages = nullptr;
  FileDialogService* fileDialogs = nullptr;
  ModalService* modals = nullptr;
  CursorService* cursor = nullptr;
  BeepService* beep = nullptr;
  ClipboardService* clipboard = nullptr;
};

// The services in use. Until something is installed, the Qt implementations serve.
const Services& CurrentServices();
void InstallServices(const Services& services);
// The Qt implementations (also installs the Qt folder picker).
void InstallQtServices();

// The text a box shows for `request`.
QString MessageText(const MessageRequest& request);

// Convenience calls on the current services.
MessageAnswer ShowMessage(QWidget* parent, const MessageRequest& request);
std::vector<std::string> RunFileDialog(QWidget* parent, const FileDialogRequest& request);
// The same for a dialog component the program keeps: the next use starts in the folder
// of this use's choice, as a reused dialog does.
std::vector<std::string> RunFileDialog(QWidget* parent, FileDialogRequest& request);
// The file dialog's check of a chosen path: with `pathMustExist`, a path whose folder
// does not exist is refused with a warning (the dialog then stays open).
bool AcceptsChosenPath(QWidget* dialog, const FileDialogRequest& request, const std::string& path);
int RunModal(QDialog& dialog);
void Beep();
std::string ClipboardText();
void SetClipboardText(const std::string& text);

// Sets the hourglass for its lifetime, showing it at once, and puts back the cursor
// it found, also when the operation fails.
class HourglassCursor {
 public:
  HourglassCursor();
  ~HourglassCursor();
  HourglassCursor(const HourglassCursor&) = delete;
  HourglassCursor& operator=(const HourglassCursor&) = delete;

 private:
  CursorShape FPrevious;
};

// From now on, while a write waits for another writer's lock on an INI file the
// hourglass shows and pending messages run (without user input), so the windows do not
// freeze; the wait ends with the write or its error. The application object calls it.
void ShowHourglassWhileWaitingForLocks();

}  // namespace platform
