// The compile list pane: adding, re-kinding, editing and removing scripts with their
// destination, the two pickers and the help page, each checked on the whole
// changes.ini text.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "configeditor/help/UInfoForm.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/QuennetFixture.h"
#include "tests/support/Widgets.h"

namespace quennet_testing {
namespace {

using testing_support::DoubleClickRow;
using testing_support::GridRows;
using Rows = testing_support::GridCells;
using modifier_testing::Lines;

const std::string kHead = Lines({"[Settings]", "FileExists=1"});
const Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

class QuennetScriptTest : public QuennetWindowTest {
 protected:
  void OpenAndShowPane(const std::string& text) {
    OpenFile(text);
    Select(form->nodeScript);
  }
  void Type(const std::string& name, const std::string& destination, bool replace) {
    form->edScriptName->setText(QString::fromStdString(name));
    form->edScriptDest->setText(QString::fromStdString(destination));
    form->cbScriptReplace->setChecked(replace);
  }
  Rows List() const { return GridRows(*form->gridScript); }
};

TEST_F(QuennetScriptTest, AddingScripts) {
  enum class How { Button, KeyInName, KeyInDestination, KeyWithAlt };
  struct Case {
    const char* name;
    std::string before;
    std::string script;
    std::string destination;
    bool replace;
    How how;
    std::string after;
  };
  const std::string listed = Lines({"[CompileList]", "File0=a.nss", "Replace0=b.nss"});
  const Case cases[] = {
      {"first add", Lines({"[CompileList]"}), "a.nss", "", false, How::Button,
       Lines({"[CompileList]", "File0=a.nss"})},
      {"a replace entry", Lines({"[CompileList]", "File0=a.nss"}), "b.nss", "override", true,
       How::Button, listed},
      {"the same kind again", listed, "a.nss", "x.mod", false, How::Button, listed},
      {"the other kind", listed, "a.nss", "", true, How::Button,
       Lines({"[CompileList]", "Replace0=b.nss", "Replace1=a.nss"})},
      {"another case", listed, "A.nss", "", false, How::Button, listed + Lines({"File1=A.nss"})},
      {"a lower-case key", Lines({"[CompileList]", "file0=a.nss"}), "b.nss", "", false, How::Button,
       Lines({"[CompileList]", "file0=a.nss", "File1=b.nss"})},
      {"a destination", Lines({"[CompileList]"}), " c.nss ", "x.mod", false, How::Button,
       Lines({"[CompileList]", "File0=c.nss", "[c.nss]", "!Destination=x.mod"})},
      {"Override deletes it", Lines({"[CompileList]", "[c.nss]", "!Destination=x.mod"}), "c.nss",
       "Override", false, How::Button, Lines({"[CompileList]", "File0=c.nss"})},
      {"an empty destination deletes it",
       Lines({"[CompileList]", "[c.nss]", "!Destination=x.mod", "Other=1"}), "c.nss", "", true,
       How::Button, Lines({"[CompileList]", "Replace0=c.nss", "[c.nss]", "Other=1"})},
      {"Ctrl+Shift+Up in the name", Lines({"[CompileList]"}), "a.nss", "", false, How::KeyInName,
       Lines({"[CompileList]", "File0=a.nss"})},
      {"Ctrl+Shift+Up in the destination", Lines({"[CompileList]"}), "a.nss", "", false,
       How::KeyInDestination, Lines({"[CompileList]", "File0=a.nss"})},
      {"Ctrl+Alt+Shift+Up", Lines({"[CompileList]"}), "a.nss", "", false, How::KeyWithAlt,
       Lines({"[CompileList]"})},
      {"an empty name", Lines({"[CompileList]"}), " ", "x.mod", false, How::Button,
       Lines({"[CompileList]"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenAndShowPane(kHead + c.before);
    Type(c.script, c.destination, c.replace);
    switch (c.how) {
      case How::Button:
        form->btnAddScript->click();
        break;
      case How::KeyInName:
        QTest::keyClick(form->edScriptName, Qt::Key_Up, kCtrlShift);
        break;
      case How::KeyInDestination:
        QTest::keyClick(form->edScriptDest, Qt::Key_Up, kCtrlShift);
        break;
      case How::KeyWithAlt:
        QTest::keyClick(form->edScriptDest, Qt::Key_Up, kCtrlShift | Qt::AltModifier);
        break;
    }
    EXPECT_EQ(kHead + c.after, ReadFile("changes.ini"));
    const bool changed = c.before != c.after;
    EXPECT_EQ(changed ? "" : c.script, form->edScriptName->text().toStdString());
    EXPECT_EQ(c.destination, form->edScriptDest->text().toStdString());
  }
}

TEST_F(QuennetScriptTest, NamesOutsideTheCodePageAreRefused) {
  OpenAndShowPane(kHead);
  const std::string warning =
      "The character \"\xCE\xA9\" (U+03A9) cannot be stored in the Windows-1252 code page of "
      "the files. Nothing was changed.";
  for (auto [name, destination] :
       {std::pair{"a\xCE\xA9.nss", "x.mod"}, std::pair{"a.nss", "\xCE\xA9"}}) {
    services.messages.Expect(MessageKind::Warning, warning);
    form->edScriptName->setText(QString::fromUtf8(name));
    form->edScriptDest->setText(QString::fromUtf8(destination));
    form->btnAddScript->click();
  }
  EXPECT_EQ(kHead, ReadFile("changes.ini"));
}

TEST_F(QuennetScriptTest, TheListShowsEveryKeyAndSelectsTheNewOne) {
  OpenAndShowPane(kHead + Lines({"[CompileList]", "File0=", "Replace0=b.nss"}));
  EXPECT_EQ((Rows{{"File0", ""}, {"Replace0", "b.nss"}}), List());
  Type("c.nss", "", false);
  form->btnAddScript->click();
  EXPECT_EQ((Rows{{"File0", ""}, {"Replace0", "b.nss"}, {"File1", "c.nss"}}), List());
  EXPECT_EQ(2, form->gridScript->Row());
}

TEST_F(QuennetScriptTest, EditTakesTheRowIntoTheBoxes) {
  OpenAndShowPane(kHead + Lines({"[CompileList]", "File0=a.nss", "Replace0=b.nss", "[b.nss]",
                                 "!Destination=Modules\\x.mod"}));
  DoubleClickRow(*form->gridScript, 1);
  EXPECT_EQ("b.nss", form->edScriptName->text().toStdString());
  EXPECT_EQ("Modules\\x.mod", form->edScriptDest->text().toStdString());
  EXPECT_TRUE(form->cbScriptReplace->isChecked());
  form->gridScript->SetRow(0);
  form->btnEditScript->click();
  EXPECT_EQ("a.nss", form->edScriptName->text().toStdString());
  EXPECT_EQ("override", form->edScriptDest->text().toStdString());
  EXPECT_FALSE(form->cbScriptReplace->isChecked());
}

TEST_F(QuennetScriptTest, RemovingKeepsTheDestination) {
  const std::string before = kHead + Lines({"[CompileList]", "File0=a.nss", "File1=b.nss",
                                            "[a.nss]", "!Destination=x.mod"});
  OpenAndShowPane(before);
  const std::string question = "Are you sure you wish to remove the file \"a.nss\"  from the list?";
  services.messages.Expect(MessageKind::Confirmation, question, MessageAnswer::No);
  form->btnDelScript->click();
  EXPECT_EQ(before, ReadFile("changes.ini"));
  services.messages.Expect(MessageKind::Confirmation, question, MessageAnswer::Yes);
  form->btnDelScript->click();
  EXPECT_EQ(kHead + Lines({"[CompileList]", "File1=b.nss", "[a.nss]", "!Destination=x.mod"}),
            ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"File1", "b.nss"}}), List());
}

TEST_F(QuennetScriptTest, ThePickers) {
  OpenAndShowPane(kHead);
  services.fileDialogs.Expect({"/src/k_inc.nss"});
  form->btnGetScriptName->click();
  EXPECT_EQ("k_inc.nss", form->edScriptName->text().toStdString());
  EXPECT_EQ("NWScript Source files (*.nss)|*.nss", services.fileDialogs.Seen().back().filter);
  services.fileDialogs.ExpectCancel();
  form->btnGetScriptName->click();
  EXPECT_EQ("k_inc.nss", form->edScriptName->text().toStdString());

  services.fileDialogs.Expect({"/mods/x.mod"});
  form->btnGetDestName->click();
  EXPECT_EQ("x.mod", form->edScriptDest->text().toStdString());
  EXPECT_EQ("erf", services.fileDialogs.Seen().back().defaultExtension);
  EXPECT_EQ("Select an ERF format file to get the name of...",
            services.fileDialogs.Seen().back().title);
  services.fileDialogs.ExpectCancel();
  form->btnGetDestName->click();
  EXPECT_EQ("override", form->edScriptDest->text().toStdString());
  EXPECT_EQ(kHead, ReadFile("changes.ini"));
}

TEST_F(QuennetScriptTest, TheHelpButtonTogglesTheCompilePage) {
  OpenAndShowPane(kHead);
  quennet::TInfoForm& info = *forms->InfoForm;
  info.TogglePage(info.txtInstallInfo);
  form->btnScriptInfo->click();
  EXPECT_EQ(info.txtScriptInfo, info.ShownPage());
  form->btnScriptInfo->click();
  EXPECT_FALSE(info.isVisible());
}

}  // namespace
}  // namespace quennet_testing
