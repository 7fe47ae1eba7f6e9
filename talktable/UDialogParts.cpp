#include "talktable/UDialogParts.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

namespace sorlith {

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  // The texts are shown as they stand, blanks included.
  label->setTextFormat(Qt::PlainText);
  return label;
}

QLabel* MakeHeading(QWidget* parent, const char* name, const char* text) {
  QLabel* label = SetBold(MakeLabel(parent, name, text));
  QFont font = label->font();
  font.setPointSizeF(font.pointSizeF() * 1.6);
  label->setFont(font);
  return label;
}

QLabel* SetBold(QLabel* label) {
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

QLabel* SetDarkRed(QLabel* label) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, Qt::darkRed);
  label->setPalette(palette);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QHBoxLayout* ButtonRow(QPushButton* first, QPushButton* second) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(first);
  row->addWidget(second);
  return row;
}

void FixSize(QDialog* dialog) {
  dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
  dialog->setSizeGripEnabled(false);
}

namespace {

constexpr qsizetype kLongestWord = 256;

QTextOption::WrapMode WrapModeFor(const QString& text) {
  qsizetype run = 0;
  for (QChar c : text) {
    run = c.isSpace() ? 0 : run + 1;
    if (run > kLongestWord) return QTextOption::WrapAnywhere;
  }
  return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

}  // namespace

void FitWrapModeToText(QPlainTextEdit& memo) {
  const QTextOption::WrapMode mode = WrapModeFor(memo.document()->toRawText());
  if (memo.wordWrapMode() != mode) memo.setWordWrapMode(mode);
}

void ShowPlainText(QPlainTextEdit& memo, const QString& text) {
  const QTextOption::WrapMode mode = WrapModeFor(text);
  if (memo.wordWrapMode() != mode) memo.setWordWrapMode(mode);
  memo.setPlainText(text);
}

}  // namespace sorlith
