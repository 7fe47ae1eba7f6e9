// The help windows: the page toggle, "&Close", closing on File > Open, and staying
// usable while a window-modal dialog of the main window runs.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "configeditor/help/UHelpWindow.h"
#include "configeditor/help/UInfoCopyForm.h"
#include "configeditor/help/UInfoForm.h"
#include "configeditor/prompts/UModLabelForm.h"
#include "tests/configeditor/QuennetFixture.h"

namespace quennet_testing {
namespace {

class QuennetHelpTest : public QuennetTest {
 protected:
  quennet::TInfoForm& info = *forms->InfoForm;
};

TEST_F(QuennetHelpTest, HelpWindowsAreParentlessToolWindowsOnTop) {
  for (QDialog* window : {static_cast<QDialog*>(forms->InfoForm.get()),
                          static_cast<QDialog*>(forms->InfoCopyForm.get())}) {
    EXPECT_EQ(nullptr, window->parentWidget());
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ("Information", window->windowTitle().toStdString());
    EXPECT_FALSE(window->isVisible());
  }
  EXPECT_EQ(QSize(592, 474), info.size());
  EXPECT_EQ(QSize(592, 417), forms->InfoCopyForm->size());
}

TEST_F(QuennetHelpTest, ParagraphsWrapAtTheMemosWidth) {
  const std::string page = info.txtInfo->toPlainText().toStdString();
  EXPECT_NE(std::string::npos,
            page.find("\nThe list shows the field changes Orvandel makes to the selected GFF file, "
                      "in the order they are applied. The buttons beside it"))
      << page;
  EXPECT_NE(std::string::npos, page.find("Modifying GFF files:\n=====")) << "headings stay";
  EXPECT_NE(std::string::npos, page.find("for example\n    Modules\\305NAR.rim\n"));
  EXPECT_EQ(QPlainTextEdit::WidgetWidth, info.txtInfo->lineWrapMode());
  EXPECT_GT(info.maximumWidth(), 600) << "the window can be widened";
}

TEST(HelpTextTest, ReflowKeepsItemsExamplesAndEmptyLines) {
  EXPECT_EQ("Title:\n===\none two\n\nValue: a b\nLabel: c\n    example\nafter\n",
            quennet::ReflowHelpText("Title:\n===\none\ntwo\n\nValue: a\nb\nLabel: c\n    "
                                    "example\nafter\n"));
}

TEST_F(QuennetHelpTest, EachButtonTogglesItsPage) {
  info.TogglePage(info.txtScriptInfo);
  EXPECT_EQ(info.txtScriptInfo, info.ShownPage());
  info.TogglePage(info.txtScriptInfo);
  EXPECT_FALSE(info.isVisible());

  info.TogglePage(info.txtInstallInfo);
  info.TogglePage(info.txtScriptInfo);
  EXPECT_TRUE(info.isVisible());
  EXPECT_EQ(info.txtScriptInfo, info.ShownPage());
  for (QPlainTextEdit* other : {info.txtInfo, info.txtInstallInfo, info.txtGFFInfo})
    EXPECT_FALSE(other->isVisible());

  info.TogglePage(info.txtInfo);
  info.TogglePage(info.txtGFFInfo);
  EXPECT_EQ(info.txtGFFInfo, info.ShownPage());
  info.TogglePage(info.txtGFFInfo);
  EXPECT_FALSE(info.isVisible());

  info.TogglePage(info.txtInfo);
  info.Button1->click();
  EXPECT_FALSE(info.isVisible());
  info.TogglePage(info.txtInstallInfo);
  EXPECT_EQ(info.txtInstallInfo, info.ShownPage());
}

TEST_F(QuennetHelpTest, NewAndOpenCloseTheHelpWindow) {
  info.TogglePage(info.txtInfo);
  OpenFile("[Settings]\r\nFileExists=1\r\n");
  EXPECT_FALSE(info.isVisible());
  info.TogglePage(info.txtInfo);
  NewFile("new.ini");
  EXPECT_FALSE(info.isVisible());
}

TEST_F(QuennetHelpTest, CopyRowHelpToggles) {
  quennet::TInfoCopyForm& copy = *forms->InfoCopyForm;
  copy.Toggle();
  EXPECT_TRUE(copy.isVisible());
  copy.Toggle();
  EXPECT_FALSE(copy.isVisible());
  copy.Toggle();
  copy.btnClose->click();
  EXPECT_FALSE(copy.isVisible());
}

// Clicks go through the window handles, as the user's do, so that modal blocking
// applies: the main window is blocked, the help window is not.
TEST_F(QuennetHelpTest, HelpStaysUsableUnderAWindowModalDialog) {
  NewFile();
  ASSERT_TRUE(ShowWindow());
  info.TogglePage(info.txtInfo);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&info));
  QDialog& dialog = *forms->NewLabelForm;
  dialog.setWindowModality(Qt::WindowModal);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

  QSignalSpy reset(form->btnSetReset, &QPushButton::clicked);
  QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                    form->btnSetReset->mapTo(form, form->btnSetReset->rect().center()));
  EXPECT_EQ(0, reset.count()) << "the main window is blocked";

  QTest::mouseClick(info.windowHandle(), Qt::LeftButton, {},
                    info.Button1->mapTo(&info, info.Button1->rect().center()));
  EXPECT_FALSE(info.isVisible());
  dialog.hide();
}

}  // namespace
}  // namespace quennet_testing
