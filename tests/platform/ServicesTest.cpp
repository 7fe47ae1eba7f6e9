// The Qt services: the file-dialog filter conversion and the hourglass's pump.
#include <gtest/gtest.h>
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "platform/ui/Services.h"

namespace platform {
namespace {

TEST(ServicesTest, FileDialogFilterConversion) {
  struct Case {
    const char* filter;
    const char* qt;
  };
  const Case cases[] = {
      {"ERF files (*.erf)|*.erf|MOD files (*.mod)|*.mod", "ERF files (*.erf);;MOD files (*.mod)"},
      {"TLK file|*.tlk|All files (*.*)|*.*", "TLK file (*.tlk);;All files (*.*)"},
      {"Archives|*.erf;*.rim;*.mod", "Archives (*.erf *.rim *.mod)"},
      {"INI file (*.ini)|*.ini", "INI file (*.ini)"},
      {"", ""},
      {"Missing patterns", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    EXPECT_EQ(c.qt, QtFileFilter(c.filter));
  }
}

TEST(ServicesTest, HourglassPumpLeavesAQueuedClickForLater) {
  InstallQtServices();
  QPushButton button(QStringLiteral("Open"));
  button.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
  const QPointF centre = button.rect().center();
  const QPointF global = button.mapToGlobal(centre);
  QCoreApplication::postEvent(&button, new QMouseEvent(QEvent::MouseButtonPress, centre, global,
                                                       Qt::LeftButton, Qt::LeftButton, {}));
  QCoreApplication::postEvent(&button, new QMouseEvent(QEvent::MouseButtonRelease, centre, global,
                                                       Qt::LeftButton, Qt::NoButton, {}));
  {
    HourglassCursor hourglass;
    EXPECT_EQ(0, clicks) << "the pump took the click";
  }
  QApplication::processEvents();
  EXPECT_EQ(1, clicks) << "the click is delivered once the command is done";
}

// A long text makes the box narrow itself as it shows; it must still sit in the middle.
TEST(ServicesTest, LongMessageBoxIsCentredAtItsShownSize) {
  InstallQtServices();
  QRect shown;
  QTimer::singleShot(0, [&shown] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(nullptr, box);
    shown = box->geometry();
    box->close();
  });
  const std::string text(40, 'x');
  std::string longText;
  for (int i = 0; i < 12; ++i) longText += text + " " + text + "\n";
  ShowMessage(nullptr, {MessageKind::Warning, "Warning", longText, {}});
  const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
  EXPECT_LE(std::abs(shown.center().x() - centre.x()), 1) << shown.x() << " " << shown.width();
  EXPECT_LE(std::abs(shown.center().y() - centre.y()), 1) << shown.y() << " " << shown.height();
}

}  // namespace
}  // namespace platform
