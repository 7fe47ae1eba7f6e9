#include "talktable/UDialogParts.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace sorlith {

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
