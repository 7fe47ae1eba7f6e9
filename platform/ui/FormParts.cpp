#include "platform/ui/FormParts.h"

#include <QCheckBox>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace platform {

namespace {

class EscapeFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parent() && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
      event->accept();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

// A text changed since the last layout (a group's caption) leaves the layouts above its
// widget out of date until the event loop runs: each widget's layout is computed again,
// every descendant before its parent, so that the size hints are current.
void LayOutAnew(QWidget& widget) {
  const QList<QWidget*> parts = widget.findChildren<QWidget*>();
  for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
    if (QLayout* layout = (*part)->layout()) {
      layout->invalidate();
      layout->activate();
    }
  }
  if (QLayout* layout = widget.layout()) {
    layout->invalidate();
    layout->activate();
  }
}

}  // namespace

void SetHint(QWidget* control, const char* hint) {
  control->setStatusTip(QString::fromLatin1(hint));
  control->setToolTip(QString::fromLatin1(hint));
}

void SetToolTip(QWidget* control, const char* tip) {
  if (tip != nullptr) control->setToolTip(QString::fromLatin1(tip));
}

void SetHeadingFont(QWidget* widget) {
  QFont font = widget->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.6);
  widget->setFont(font);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

QLabel* MakeHeading(QWidget* parent, const char* name, const char* text) {
  QLabel* label = MakeLabel(parent, name, text);
  SetHeadingFont(label);
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

QPushButton* MakeImageButton(QWidget* parent, const char* name, const QIcon& image) {
  QPushButton* button = MakeButton(parent, name, "");
  button->setIcon(image);
  return button;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const char* text) {
  return Named(new QLineEdit(QString::fromUtf8(text), parent), name);
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const char* caption) {
  return Named(new QCheckBox(QString::fromUtf8(caption), parent), name);
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* button : buttons) row->addWidget(button);
  return row;
}

void FixSize(QDialog* dialog) {
  dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
  dialog->setSizeGripEnabled(false);
}

void FixSizeAtLeast(QWidget* widget, int minimumWidth, int minimumHeight) {
  LayOutAnew(*widget);
  widget->setFixedSize(widget->sizeHint().expandedTo(QSize(minimumWidth, minimumHeight)));
}

void CentreOnDesktop(QWidget& window) {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
  }
}

void IgnoreEscape(QDialog* dialog) { dialog->installEventFilter(new EscapeFilter(dialog)); }

}  // namespace platform
