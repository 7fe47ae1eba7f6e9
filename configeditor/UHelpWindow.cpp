#include "configeditor/UHelpWindow.h"

#include <QFont>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>

namespace quennet {

void MakeHelpWindow(QDialog& window, int clientWidth, int clientHeight) {
  window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowStaysOnTopHint);
  window.setWindowTitle(QStringLiteral("Information"));
  window.setModal(false);
  window.setMinimumSize(400, 350);
  window.setMaximumWidth(600);
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
  memo->setPlainText(QString::fromLatin1(text));
  return memo;
}

}  // namespace quennet
