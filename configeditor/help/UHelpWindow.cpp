#include "configeditor/help/UHelpWindow.h"

#include <QFont>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <algorithm>

namespace quennet {

namespace {

// Headings' rules, indented examples and empty lines stand as they are.
bool StandsAlone(std::string_view line) {
  return line.empty() || line.front() == ' ' || line.find_first_not_of('=') == line.npos;
}

// "Label: ...", "Index token: ...": an item of a list, on a line of its own.
bool StartsItem(std::string_view line) {
  const size_t colon = line.find(':');
  if (colon == line.npos || line.front() < 'A' || line.front() > 'Z') return false;
  const std::string_view head = line.substr(0, colon);
  return std::count(head.begin(), head.end(), ' ') < 4;
}

}  // namespace

std::string ReflowHelpText(std::string_view text) {
  std::string result;
  std::string_view previous;
  bool first = true;
  while (true) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (!first && !StandsAlone(previous) && !StandsAlone(line) && !StartsItem(line)) {
      result += ' ';
    } else if (!first) {
      result += '\n';
    }
    result += line;
    first = false;
    previous = line;
    if (end == text.npos) break;
    text.remove_prefix(end + 1);
  }
  return result;
}

void MakeHelpWindow(QDialog& window, int clientWidth, int clientHeight) {
  window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowStaysOnTopHint);
  window.setWindowTitle(QStringLiteral("Information"));
  window.setModal(false);
  window.setMinimumSize(400, 350);
  window.resize(clientWidth, clientHeight);
  CentreOnDesktop(window);
}

QPlainTextEdit* NewHelpMemo(QWidget* parent, const char* name, const char* text) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(QString::fromLatin1(name));
  memo->setReadOnly(true);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  memo->setFont(font);
  // The paragraphs wrap at the memo's width, whatever its font and size.
  memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memo->setPlainText(QString::fromLatin1(ReflowHelpText(text)));
  return memo;
}

}  // namespace quennet
