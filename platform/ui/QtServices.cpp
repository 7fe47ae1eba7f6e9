// The Qt implementations of the services.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/Files.h"
#include "platform/FolderPicker.h"
#include "platform/PrivateProfile.h"
#include "platform/ui/Codec.h"
#include "platform/ui/Services.h"

namespace platform {

namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return QMessageBox::Warning;
    case MessageKind::Information:
      return QMessageBox::Information;
    case MessageKind::Confirmation:
      return QMessageBox::Question;
    case MessageKind::Error:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

// QMessageBox settles its size only as it shows (a long text makes it narrower), so a
// box without a given place is centred on the screen after that.
class CentredMessageBox : public QMessageBox {
 public:
  CentredMessageBox(Icon icon, const QString& caption, const QString& text, QWidget* parent,
                    std::optional<QPoint> topLeft)
      : QMessageBox(icon, caption, text, QMessageBox::NoButton, parent), FTopLeft(topLeft) {}

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    Place();
  }

 private:
  void Place() {
    if (FTopLeft) {
      move(*FTopLeft);
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect frame = frameGeometry();
      move(screen->geometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
    }
  }

  std::optional<QPoint> FTopLeft;
};

class QtMessageService : public MessageService {
 public:
  MessageAnswer Show(QWidget* parent, const MessageRequest& request) override {
    CentredMessageBox box(IconOf(request.kind), ToQt(request.caption), MessageText(request), parent,
                          request.topLeft);
    QPushButton* yes = nullptr;
    if (request.kind == MessageKind::Confirmation) {
      yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
      QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
      box.setDefaultButton(yes);
      box.setEscapeButton(no);
    } else {
      box.setDefaultButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    }
    box.exec();
    if (request.kind != MessageKind::Confirmation) return MessageAnswer::Ok;
    return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
  }
};

// Keeps itself open while the chosen path's folder does not exist.
class CheckedFileDialog : public QFileDialog {
 public:
  CheckedFileDialog(QWidget* parent, const FileDialogRequest& request)
      : QFileDialog(parent, ToQt(request.title)), FRequest(request) {}

  void accept() override {
    const QStringList files = selectedFiles();
    for (const QString& file : files)
      if (!AcceptsChosenPath(this, FRequest, PathFromQt(file))) return;
    QFileDialog::accept();
  }

 private:
  const FileDialogRequest& FRequest;
};

class QtFileDialogService : public FileDialogService {
 public:
  std::vector<std::string> Run(QWidget* parent, const FileDialogRequest& request) override {
    CheckedFileDialog dialog(parent, request);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(ToQt(QtFileFilter(request.filter)));
    dialog.setDefaultSuffix(ToQt(request.defaultExtension));
    if (!request.initialDirectory.empty()) dialog.setDirectory(PathToQt(request.initialDirectory));
    dialog.selectFile(PathToQt(request.fileName));
    switch (request.mode) {
      case FileDialogRequest::Mode::Open:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile
                                                 : QFileDialog::AnyFile);
        break;
      case FileDialogRequest::Mode::OpenMultiple:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFiles);
        break;
      case FileDialogRequest::Mode::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
        break;
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    std::vector<std::string> paths;
    for (const QString& file : dialog.selectedFiles()) paths.push_back(PathFromQt(file));
    return paths;
  }
};

class QtModalService : public ModalService {
 public:
  int Run(QDialog& dialog) override {
    // Window-modal, so that the parentless help windows stay usable.
    dialog.setWindowModality(Qt::WindowModal);
    return dialog.exec();
  }
};

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
      return true;
    default:
      return false;
  }
}

// While it lives, user input that reaches the application (also input posted as an
// event rather than queued by the window system, which ExcludeUserInputEvents alone
// lets through) is held back; it is posted again, in its order, when the hold ends.
class UserInputHold : public QObject {
 public:
  UserInputHold() { QCoreApplication::instance()->installEventFilter(this); }
  ~UserInputHold() override {
    QCoreApplication::instance()->removeEventFilter(this);
    for (auto& [target, event] : FHeld) {
      if (target) QCoreApplication::postEvent(target, event.release());
    }
  }

  bool eventFilter(QObject* target, QEvent* event) override {
    if (!IsUserInput(event->type())) return false;
    FHeld.emplace_back(target, std::unique_ptr<QEvent>(event->clone()));
    return true;
  }

 private:
  std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> FHeld;
};

class QtCursorService : public CursorService {
 public:
  CursorShape Current() const override { return FShape; }
  void Set(CursorShape shape) override {
    if (shape == FShape) return;
    if (FShape == CursorShape::Hourglass) QApplication::restoreOverrideCursor();
    if (shape == CursorShape::Hourglass) QApplication::setOverrideCursor(Qt::WaitCursor);
    FShape = shape;
  }
  // A click taken here would start a command under the running one (File > Open
  // replacing the document it works on).
  void ProcessPendingMessages() override {
    UserInputHold hold;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }

 private:
  CursorShape FShape = CursorShape::Normal;
};

class QtBeepService : public BeepService {
 public:
  void Beep() override { QApplication::beep(); }
};

class QtClipboardService : public ClipboardService {
 public:
  std::string Text() const override { return FromQt(QGuiApplication::clipboard()->text()); }
  void SetText(const std::string& text) override {
    QGuiApplication::clipboard()->setText(ToQt(text));
  }
};

class QtFolderPicker : public FolderPicker {
 public:
  std::string PickFolder(const std::string& title, uint32_t) override {
    QFileDialog dialog(nullptr, ToQt(title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      // Centred on the desktop, halves rounded toward zero.
      QRect desktop = screen->geometry();
      dialog.move(desktop.width() / 2 - dialog.width() / 2,
                  desktop.height() / 2 - dialog.height() / 2);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return PathFromQt(dialog.selectedFiles().front());
  }
};

Services& Installed() {
  static Services services;
  return services;
}

}  // namespace

std::string QtFileFilter(const std::string& filter) {
  QStringList parts = ToQt(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    QString description = parts[i];
    if (!description.contains('(' + patterns + ')')) description += " (" + patterns + ')';
    filters << description;
  }
  return FromQt(filters.join(QStringLiteral(";;")));
}

void InstallQtServices() {
  static QtMessageService messages;
  static QtFileDialogService fileDialogs;
  static QtModalService modals;
  static QtCursorService cursor;
  static QtBeepService beep;
  static QtClipboardService clipboard;
  static QtFolderPicker folderPicker;
  InstallServices({&messages, &fileDialogs, &modals, &cursor, &beep, &clipboard});
  SetFolderPicker(&folderPicker);
}

const Services& CurrentServices() {
  if (!Installed().messages) InstallQtServices();
  return Installed();
}

void InstallServices(const Services& services) { Installed() = services; }

QString MessageText(const MessageRequest& request) {
  return SentenceToQt(request.text, request.pathSpans);
}

MessageAnswer ShowMessage(QWidget* parent, const MessageRequest& request) {
  return CurrentServices().messages->Show(parent, request);
}

std::vector<std::string> RunFileDialog(QWidget* parent, const FileDialogRequest& request) {
  return CurrentServices().fileDialogs->Run(parent, request);
}

std::vector<std::string> RunFileDialog(QWidget* parent, FileDialogRequest& request) {
  std::vector<std::string> chosen =
      CurrentServices().fileDialogs->Run(parent, std::as_const(request));
  if (!chosen.empty()) {
    const std::string folder = ExtractFilePath(chosen.front());
    if (!folder.empty()) request.initialDirectory = folder;
  }
  return chosen;
}

bool AcceptsChosenPath(QWidget* dialog, const FileDialogRequest& request, const std::string& path) {
  if (!request.pathMustExist) return true;
  std::string folder = ExtractFilePath(path);
  if (folder.empty() || DirectoryExists(folder)) return true;
  folder.pop_back();  // without its separator
  const Sentence message = "The folder \"" + Sentence::Path(folder) +
                           "\" does not exist. Please choose an existing folder.";
  MessageRequest warning;
  warning.kind = MessageKind::Warning;
  warning.caption = "Warning";
  warning.text = message.Bytes();
  warning.pathSpans = message.PathSpans();
  ShowMessage(dialog, warning);
  return false;
}

int RunModal(QDialog& dialog) { return CurrentServices().modals->Run(dialog); }
void Beep() { CurrentServices().beep->Beep(); }
std::string ClipboardText() { return CurrentServices().clipboard->Text(); }
void SetClipboardText(const std::string& text) { CurrentServices().clipboard->SetText(text); }

HourglassCursor::HourglassCursor() : FPrevious(CurrentServices().cursor->Current()) {
  CurrentServices().cursor->Set(CursorShape::Hourglass);
  CurrentServices().cursor->ProcessPendingMessages();
}

HourglassCursor::~HourglassCursor() { CurrentServices().cursor->Set(FPrevious); }

namespace {

class HourglassWhileWaiting : public LockWaitListener {
 public:
  // A message run while waiting may wait for a lock too: one hourglass for all.
  void WaitBegins() override {
    if (FDepth++ == 0) FHourglass.emplace();
  }
  void StillWaiting() override { CurrentServices().cursor->ProcessPendingMessages(); }
  void WaitEnds() override {
    if (--FDepth == 0) FHourglass.reset();
  }

 private:
  int FDepth = 0;
  std::optional<HourglassCursor> FHourglass;
};

}  // namespace

void ShowHourglassWhileWaitingForLocks() {
  static HourglassWhileWaiting listener;
  SetLockWaitListener(&listener);
}

}  // namespace platform
