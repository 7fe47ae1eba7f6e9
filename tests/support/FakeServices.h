// Scripted stand-ins for the modal and system services. A test says what it expects
// (a message box of a kind and text, a file dialog, a modal dialog) and how each is
// answered; anything unexpected fails the test. ScopedFakeServices installs them
// for one test and checks at its end that every expectation was used.
#pragma once

#include <QDialog>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/FolderPicker.h"
#include "platform/ui/Services.h"

namespace testing_support {

struct SeenMessage {
  platform::MessageKind kind;
  std::string caption;
  std::string text;
  std::optional<QPoint> topLeft;
};

class ScriptedMessages : public platform::MessageService {
 public:
  // The next box must be of `kind` with exactly `text`; it is answered with `answer`,
  // after `whileShown` (when given) has looked at the window behind it.
  void Expect(platform::MessageKind kind, std::string text,
              platform::MessageAnswer answer = platform::MessageAnswer::Ok,
              std::function<void()> whileShown = {});
  platform::MessageAnswer Show(QWidget* parent, const platform::MessageRequest& request) override;

  const std::vector<SeenMessage>& Seen() const { return FSeen; }
  size_t Pending() const { return FExpected.size(); }

 private:
  struct Expected {
    platform::MessageKind kind;
    std::string text;
    platform::MessageAnswer answer;
    std::function<void()> whileShown;
  };
  std::deque<Expected> FExpected;
  std::vector<SeenMessage> FSeen;
};

class ScriptedFileDialogs : public platform::FileDialogService {
 public:
  // The next file dialog is answered with `paths` (none: Cancel).
  void Expect(std::vector<std::string> paths);
  void ExpectCancel() { Expect({}); }
  std::vector<std::string> Run(QWidget* parent,
                               const platform::FileDialogRequest& request) override;

  const std::vector<platform::FileDialogRequest>& Seen() const { return FSeen; }
  size_t Pending() const { return FExpected.size(); }

 private:
  std::deque<std::vector<std::string>> FExpected;
  std::vector<platform::FileDialogRequest> FSeen;
};

// Runs a modal dialog without a nested event loop: the dialog is shown (so its show
// step runs), the script works its widgets (typing, clicking OK), and the result is
// the one the dialog ended with. A script that leaves the dialog open rejects it.
class ScriptedModals : public platform::ModalService {
 public:
  using Script = std::function<void(QDialog&)>;
  // The next modal dialog must have the object name `dialogName`.
  void Expect(std::string dialogName, Script script);
  int Run(QDialog& dialog) override;

  const std::vector<std::string>& Seen() const { return FSeen; }
  size_t Pending() const { return FExpected.size(); }

 private:
  std::deque<std::pair<std::string, Script>> FExpected;
  std::vector<std::string> FSeen;
};

class FakeCursor : public platform::CursorService {
 public:
  platform::CursorShape Current() const override { return FShape; }
  void Set(platform::CursorShape shape) override {
    FShape = shape;
    FHistory.push_back(shape);
  }
  void ProcessPendingMessages() override {
    ++FPumps;
    if (FAtPump) FAtPump();
  }
  // What "the pending messages" do at each pump from now on (nothing: an empty action).
  void AtEachPump(std::function<void()> action) { FAtPump = std::move(action); }

  const std::vector<platform::CursorShape>& History() const { return FHistory; }
  int Pumps() const { return FPumps; }

 private:
  platform::CursorShape FShape = platform::CursorShape::Normal;
  std::vector<platform::CursorShape> FHistory;
  int FPumps = 0;
  std::function<void()> FAtPump;
};

class FakeBeep : public platform::BeepService {
 public:
  void Beep() override { ++FCount; }
  int Count() const { return FCount; }

 private:
  int FCount = 0;
};

class FakeClipboard : public platform::ClipboardService {
 public:
  std::string Text() const override { return FText; }
  void SetText(const std::string& text) override { FText = text; }

 private:
  std::string FText;
};

class ScriptedFolderPicker : public platform::FolderPicker {
 public:
  void Expect(std::string folder) { FExpected.push_back(std::move(folder)); }
  std::string PickFolder(const std::string& title, uint32_t flags) override;
  size_t Pending() const { return FExpected.size(); }
  const std::vector<std::string>& Titles() const { return FTitles; }

 private:
  std::deque<std::string> FExpected;
  std::vector<std::string> FTitles;
};

class ScopedFakeServices {
 public:
  ScopedFakeServices();
  // Fails the test when an expectation was not used.
  ~ScopedFakeServices();
  // The same check at any point, for a table of cases that each script their own boxes.
  void ExpectAllUsed() const;

  ScriptedMessages messages;
  ScriptedFileDialogs fileDialogs;
  ScriptedModals modals;
  FakeCursor cursor;
  FakeBeep beep;
  FakeClipboard clipboard;
  ScriptedFolderPicker folderPicker;

 private:
  platform::Services FPrevious;
  platform::FolderPicker* FPreviousPicker;
};

}  // namespace testing_support
