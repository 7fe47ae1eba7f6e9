#include "talktable/UPreviewMemo.h"

#include <QMimeData>
#include <QTextBlock>
#include <algorithm>
#include <vector>

#include "talktable/UDialogParts.h"

namespace sorlith {

namespace {

// A paragraph that continues the one before it (no line break between them).
constexpr int kContinued = 1;

}  // namespace

TPreviewMemo::TPreviewMemo(QWidget* parent) : QPlainTextEdit(parent) {}

void TPreviewMemo::ShowText(const QString& text) {
  QString shown;
  shown.reserve(text.size() + text.size() / kBlockLength);
  std::vector<bool> continued;
  for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
    if (!continued.empty()) shown += QLatin1Char('\n');
    continued.push_back(false);
    for (qsizetype from = 0; from < line.size(); from += kBlockLength) {
      if (from > 0) {
        shown += QLatin1Char('\n');
        continued.push_back(true);
      }
      shown += line.mid(from, kBlockLength);
    }
  }
  ShowPlainText(*this, shown);
  QTextBlock block = document()->firstBlock();
  for (size_t i = 0; block.isValid() && i < continued.size(); ++i, block = block.next())
    block.setUserState(continued[i] ? kContinued : -1);
}

QString TPreviewMemo::SelectedText() const {
  const QTextCursor cursor = textCursor();
  if (!cursor.hasSelection()) return {};
  const int start = cursor.selectionStart();
  const int end = cursor.selectionEnd();
  QString text;
  for (QTextBlock block = document()->findBlock(start); block.isValid(); block = block.next()) {
    const int from = std::max(start, block.position());
    const int to = std::min(end, block.position() + block.length() - 1);
    if (to > from) text += block.text().mid(from - block.position(), to - from);
    if (block.position() + block.length() > end) break;
    if (block.next().userState() != kContinued) text += QLatin1Char('\n');
  }
  return text;
}

QMimeData* TPreviewMemo::createMimeDataFromSelection() const {
  auto* data = new QMimeData;
  data->setText(SelectedText());
  return data;
}

}  // namespace sorlith
