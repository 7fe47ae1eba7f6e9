// Small parts that the forms of both programs are built from: component names, hints
// (status bar and tool tip together), the one heading font, named labels, edit boxes,
// check boxes and buttons, button rows, fixed sizes, centring on the desktop and dialogs that
// ignore Esc.
#pragma once

#include <QObject>
#include <QString>
#include <initializer_list>

class QCheckBox;
class QDialog;
class QHBoxLayout;
class QIcon;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace platform {

// Gives `component` its component name as objectName.
template <typename T>
T* Named(T* component, const char* name) {
  component->setObjectName(QString::fromLatin1(name));
  return component;
}

// The hint shows in the status bar and as the tool tip.
void SetHint(QWidget* control, const char* hint);
template <typename T>
T* Hinted(T* control, const char* hint) {
  SetHint(control, hint);
  return control;
}

// The tool tip alone (none for a null `tip`): for the dialogs of a window whose status
// bar must keep its own text.
void SetToolTip(QWidget* control, const char* tip);
template <typename T>
T* WithToolTip(T* control, const char* tip) {
  SetToolTip(control, tip);
  return control;
}

// The large bold type of the forms' headings.
void SetHeadingFont(QWidget* widget);

// `text` is ASCII or UTF-8 source text, shown as it stands (blanks included).
QLabel* MakeLabel(QWidget* parent, const char* name, const char* text);
// A label in the heading font.
QLabel* MakeHeading(QWidget* parent, const char* name, const char* text);
QLabel* SetBold(QLabel* label);
QLabel* SetDarkRed(QLabel* label);
QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption);
// A push button that shows `image` and no caption.
QPushButton* MakeImageButton(QWidget* parent, const char* name, const QIcon& image);
// An edit box holding `text`.
QLineEdit* MakeEdit(QWidget* parent, const char* name, const char* text = "");
QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const char* caption);
// The buttons at the right end of a row.
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);
inline QHBoxLayout* ButtonRow(QPushButton* first, QPushButton* second) {
  return ButtonRow({first, second});
}

// The dialog keeps the size its layout asks for and cannot be resized.
void FixSize(QDialog* dialog);
// The size its contents need, with every layout current (also after texts changed since
// the last layout), and at least `minimum` (the designed size).
void FixSizeAtLeast(QWidget* widget, int minimumWidth, int minimumHeight);
// Moves `window` so that its present size is centred on the primary screen's work area.
void CentreOnDesktop(QWidget& window);
// Esc no longer closes `dialog` (a dialog without Cancel, whose changes are written).
void IgnoreEscape(QDialog* dialog);

}  // namespace platform
