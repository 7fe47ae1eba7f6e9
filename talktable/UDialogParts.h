// Small building blocks shared by Sorlith's dialogs: named labels, headings and
// buttons, a right-aligned button row and the fixed dialog border.
#pragma once

#include <QObject>
#include <QString>

class QDialog;
class QHBoxLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace sorlith {

// Gives `component` its component name as objectName.
template <typename T>
T* Named(T* component, const char* name) {
  component->setObjectName(QString::fromLatin1(name));
  return component;
}

// `text` is ASCII or UTF-8 source text.
QLabel* MakeLabel(QWidget* parent, const char* name, const char* text);
// A label in a large bold font.
QLabel* MakeHeading(QWidget* parent, const char* name, const char* text);
QLabel* SetBold(QLabel* label);
QLabel* SetDarkRed(QLabel* label);
QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption);
QHBoxLayout* ButtonRow(QPushButton* first, QPushButton* second);
// The dialog keeps the size its layout asks for and cannot be resized.
void FixSize(QDialog* dialog);

// Memos wrap at word boundaries, or anywhere while their text holds a run without a
// blank longer than any word: Qt lays such a run out in quadratic time when it looks
// for word boundaries (a megabyte took a minute).
void FitWrapModeToText(QPlainTextEdit& memo);
// Sets the wrap mode for `text`, then the text.
void ShowPlainText(QPlainTextEdit& memo, const QString& text);

}  // namespace sorlith
