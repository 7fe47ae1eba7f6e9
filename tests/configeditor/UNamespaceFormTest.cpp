// The setup-list editor and File > Setup Lists: the new file, the open checks, adding,
// deleting and saving setups, each checked on the whole namespaces.ini text.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "configeditor/editors/UNamespaceForm.h"
#include "configeditor/prompts/UModLabelForm.h"
#include "configeditor/rules/USetupList.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/QuennetFixture.h"

namespace quennet_testing {
namespace {

using modifier_testing::Lines;
using testing_support::Find;

const std::string kNewList = quennet::NewSetupListText("10.12.2026");
const char kTaken[] = "This label is already used by another Setup! Please pick another.";

class QuennetSetupListTest : public QuennetTest {
 protected:
  quennet::TNamespaceForm& editor = *forms->NamespaceForm;

  // File > Setup Lists > Open on a file holding `text`; `steps` work the editor.
  void OpenList(const std::string& text, std::function<void()> steps,
                const std::string& name = "namespaces.ini") {
    WriteFile(name, text);
    services.fileDialogs.Expect({PathOf(name)});
    ExpectEditor(std::move(steps));
    form->SetupsOpen->trigger();
  }
  void ExpectEditor(std::function<void()> steps) {
    services.modals.Expect("TNamespaceForm", [this, steps](QDialog&) {
      EXPECT_NE(nullptr, editor.SetupIni());
      if (steps) steps();
    });
  }
  // The label prompt answers with `typed` (Save) or is cancelled.
  void ExpectLabel(const std::string& typed, bool save = true) {
    services.modals.Expect("TNewLabelForm", [typed, save](QDialog& dialog) {
      auto* edit = Find<QLineEdit>(&dialog, "edModLabel");
      edit->setText(QString::fromStdString(typed));
      Find<QPushButton>(&dialog, save ? "btnSave" : "btnCancel")->click();
    });
  }
  void Add(const std::string& label) {
    ExpectLabel(label);
    editor.btnAdd->click();
  }
  void SelectSetup(const std::string& label) {
    auto found = editor.listNS->findItems(QString::fromStdString(label), Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << label;
    editor.listNS->setCurrentItem(found.front());
  }
  std::vector<std::string> ListedLabels() const {
    std::vector<std::string> labels;
    for (int i = 0; i < editor.listNS->count(); ++i)
      labels.push_back(editor.listNS->item(i)->text().toStdString());
    return labels;
  }
  void ExpectNoSetupShown() {
    EXPECT_EQ("Setup List/Namespace Editor", editor.windowTitle().toStdString());
    EXPECT_TRUE(editor.listNS->selectedItems().isEmpty());
    for (QWidget* widget : std::initializer_list<QWidget*>{
             editor.edIniName, editor.edInfoName, editor.edDataPath, editor.edName,
             editor.edDescription, editor.btnSave, editor.btnSelINI, editor.btnSelInfo}) {
      EXPECT_FALSE(widget->isEnabled()) << widget->objectName().toStdString();
    }
    for (QLineEdit* field : {editor.edIniName, editor.edInfoName, editor.edDataPath, editor.edName})
      EXPECT_EQ("", field->text().toStdString());
    EXPECT_EQ("", editor.edDescription->toPlainText().toStdString());
  }
  void Fill(const std::string& iniName, const std::string& infoName, const std::string& name,
            const std::string& description) {
    editor.edIniName->setText(QString::fromStdString(iniName));
    editor.edInfoName->setText(QString::fromStdString(infoName));
    editor.edName->setText(QString::fromStdString(name));
    editor.edDescription->setPlainText(QString::fromUtf8(description));
  }
};

TEST_F(QuennetSetupListTest, NewWritesTheListAndRemindsOfTheName) {
  struct Case {
    const char* name;
    bool reminded;
  };
  for (const Case& c :
       {Case{"namespaces.ini", false}, Case{"NameSpaces.INI", false}, Case{"setups.ini", true}}) {
    SCOPED_TRACE(c.name);
    services.fileDialogs.Expect({PathOf(c.name)});
    if (c.reminded) {
      services.messages.Expect(
          MessageKind::Information,
          "The Setup List file must be named \"namespaces.ini\" for Orvandel "
          "to recognize it. Remember to rename it before attempting to use it.");
    }
    ExpectEditor([this] {
      ExpectNoSetupShown();
      EXPECT_TRUE(ListedLabels().empty());
    });
    form->SetupsNew->trigger();
    EXPECT_EQ(kNewList, ReadFile(c.name));
    EXPECT_EQ(nullptr, editor.SetupIni()) << "freed when the editor is hidden";
  }
  EXPECT_EQ("namespaces.ini", services.fileDialogs.Seen().front().fileName);
  EXPECT_TRUE(services.fileDialogs.Seen().front().overwritePrompt);
}

TEST_F(QuennetSetupListTest, OpenRefusesWithOneWarning) {
  WriteFile("namespaces.ini", kNewList);
  services.fileDialogs.Expect({PathOf("namespaces.ini")});
  services.messages.Expect(
      MessageKind::Warning,
      "The opened file is not a valid Setup/Namespace file! Unable to edit it.");
  form->SetupsOpen->trigger();

  services.fileDialogs.Expect({PathOf("missing.ini")});
  services.messages.Expect(MessageKind::Warning,
                           "The selected file could not be opened. Unable to proceed.");
  form->SetupsOpen->trigger();

  const platform::FileDialogRequest& request = services.fileDialogs.Seen().front();
  EXPECT_EQ("INI files (*.ini)|*.ini|All files (*.*)|*.*", request.filter);
  EXPECT_EQ("namespaces.ini", request.fileName);
  EXPECT_FALSE(request.title.empty());
}

// A label is trimmed as the file trims section names before it is checked: a padded
// "Namespaces" would write the setup's keys into the list's own section.
TEST_F(QuennetSetupListTest, LabelsAreCheckedAsTheFileWouldHoldThem) {
  const std::string empty = Lines({"; a list", "[Namespaces]", "Namespace1="});
  const std::string listed = Lines({"[Namespaces]", "Namespace1=main", "[main]", "Name=m"});
  struct Case {
    const char* name;
    std::string before;
    const char* typed;
  };
  const Case cases[] = {
      {"the list's own section", listed, " namespaces"},
      {"a setup's section", listed, "\tMAIN  "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenList(c.before, [&] {
      ExpectLabel(c.typed);
      services.messages.Expect(MessageKind::Warning, kTaken);
      ExpectLabel("", false);
      editor.btnAdd->click();
    });
    EXPECT_EQ(c.before, ReadFile("namespaces.ini"));
  }
  // A new list's section holds no key yet.
  services.fileDialogs.Expect({PathOf("namespaces.ini")});
  ExpectEditor([this] {
    ExpectLabel("Namespaces ");
    services.messages.Expect(MessageKind::Warning, kTaken);
    ExpectLabel("", false);
    editor.btnAdd->click();
  });
  form->SetupsNew->trigger();
  EXPECT_EQ(kNewList, ReadFile("namespaces.ini"));

  OpenList(empty, [this] {
    Add(" extra ");
    EXPECT_EQ((std::vector<std::string>{"extra"}), ListedLabels());
  });
  EXPECT_EQ(empty + Lines({"Namespace2=extra", "[extra]",
                           "IniName=", "InfoName=", "DataPath=", "Name=", "Description="}),
            ReadFile("namespaces.ini"));
}

// A label names the setup's section: one that the file cannot hold as a section name is
// refused with the reason before anything is written, and the prompt asks again.
TEST_F(QuennetSetupListTest, ALabelItsSectionCannotHoldWritesNothing) {
  const std::string listed = Lines({"[Namespaces]", "Namespace1=main", "[main]", "Name=m"});
  OpenList(listed, [&] {
    ExpectLabel("x]y");
    services.messages.Expect(
        MessageKind::Warning,
        "The section name \"x]y\" cannot be stored in an INI file: it holds \"]\".");
    ExpectLabel("", false);
    editor.btnAdd->click();
    EXPECT_EQ((std::vector<std::string>{"main"}), ListedLabels());
  });
  EXPECT_EQ(listed, ReadFile("namespaces.ini"));
}

TEST_F(QuennetSetupListTest, AddingAndDeletingSetups) {
  const std::string empty = Lines({"; a list", "[Namespaces]", "Namespace1=", ""});
  OpenList(empty, [this] {
    Add("A");
    EXPECT_EQ("Setup List/Namespace Editor [A]", editor.windowTitle().toStdString());
    EXPECT_EQ("changes.ini", editor.edIniName->text().toStdString());
    EXPECT_EQ("info.rtf", editor.edInfoName->text().toStdString());
    EXPECT_TRUE(editor.edIniName->hasSelectedText());
    EXPECT_TRUE(editor.btnSave->isEnabled());
    Add("B");
    Add("C");
    SelectSetup("B");
    services.messages.Expect(MessageKind::Confirmation,
                             "Are you sure you wish to delete the Setup \"B\"?",
                             MessageAnswer::Yes);
    editor.btnDelete->click();
    ExpectNoSetupShown();
    editor.btnDelete->click();  // nothing selected: no question
    Add("D");
    EXPECT_EQ((std::vector<std::string>{"A", "C", "D"}), ListedLabels());
  });
  const std::string keys = "IniName=\r\nInfoName=\r\nDataPath=\r\nName=\r\nDescription=\r\n";
  EXPECT_EQ(Lines({"; a list", "[Namespaces]", "Namespace1=", "Namespace2=A", "Namespace4=C",
                   "Namespace3=D", "", "[A]"}) +
                keys + "[C]\r\n" + keys + "[D]\r\n" + keys,
            ReadFile("namespaces.ini"));
}

TEST_F(QuennetSetupListTest, TakenEmptyAndCancelledLabels) {
  const std::string one = Lines({"[Namespaces]", "Namespace1=Main", "[Main]", "Name=m"});
  OpenList(one, [this] {
    ExpectLabel("MAIN");
    services.messages.Expect(MessageKind::Warning, kTaken);
    ExpectLabel("namespaces");
    services.messages.Expect(MessageKind::Warning, kTaken);
    ExpectLabel("x", false);
    editor.btnAdd->click();
    ExpectLabel("");
    editor.btnAdd->click();
  });
  EXPECT_EQ(one, ReadFile("namespaces.ini"));

  WriteFile("fresh.ini", kNewList);
  services.fileDialogs.Expect({PathOf("fresh.ini")});
  services.messages.Expect(
      MessageKind::Warning,
      "The opened file is not a valid Setup/Namespace file! Unable to edit it.");
  form->SetupsOpen->trigger();
  services.fileDialogs.Expect({PathOf("new.ini")});
  services.messages.Expect(MessageKind::Information,
                           "The Setup List file must be named \"namespaces.ini\" for Orvandel to "
                           "recognize it. Remember to rename it before attempting to use it.");
  ExpectEditor([this] {
    ExpectLabel("Namespaces");
    services.messages.Expect(MessageKind::Warning, kTaken);
    ExpectLabel("", true);
    editor.btnAdd->click();
  });
  form->SetupsNew->trigger();
  EXPECT_EQ(kNewList, ReadFile("new.ini"));
}

// A label that cannot name a section is refused before anything is written, with the
// reason, and the prompt asks again.
TEST_F(QuennetSetupListTest, ALabelNoSectionCanHaveIsRefused) {
  const std::string one = Lines({"[Namespaces]", "Namespace1=Main", "[Main]", "Name=m"});
  OpenList(one, [this] {
    ExpectLabel("a]b");
    services.messages.Expect(MessageKind::Warning, *RefusedSectionName("a]b"));
    ExpectLabel("x", false);
    editor.btnAdd->click();
    EXPECT_EQ((std::vector<std::string>{"Main"}), ListedLabels());
  });
  EXPECT_EQ(one, ReadFile("namespaces.ini"));
}

TEST_F(QuennetSetupListTest, SavingASetup) {
  const std::string before = Lines({"[Namespaces]", "Namespace1=A", "[A]", "DataPath=old"});
  OpenList(before, [this] {
    SelectSetup("A");
    EXPECT_EQ("old", editor.edDataPath->text().toStdString());
    Fill("a.in", "a.rtf", "Main", "text");
    services.messages.Expect(MessageKind::Warning,
                             "The Config File Name box must be set to the name of an INI file "
                             "with Orvandel configuration settings!");
    editor.btnSave->click();
    EXPECT_EQ("Main", editor.edName->text().toStdString()) << "the fields stay";

    Fill("x.ini", "a.rtf", " Main ", "first");
    editor.edDescription->moveCursor(QTextCursor::End);
    QTest::keyClick(editor.edDescription, Qt::Key_Return);
    QTest::keyClick(editor.edDescription, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(editor.edDescription, QStringLiteral("second"));
    editor.btnSave->click();
    ExpectNoSetupShown();

    SelectSetup("A");
    EXPECT_EQ("first\nsecond", editor.edDescription->toPlainText().toStdString());
    EXPECT_EQ("Main", editor.edName->text().toStdString()) << "the accessor trims as it reads";
    QTest::mouseClick(editor.listNS->viewport(), Qt::LeftButton, {},
                      QPoint(5, editor.listNS->viewport()->height() - 5));
    ExpectNoSetupShown();
  });
  EXPECT_EQ(Lines({"[Namespaces]", "Namespace1=A", "[A]", "DataPath=old", "IniName=x.ini",
                   "InfoName=a.rtf", "Name= Main ", "Description=first<#CR#><#LF#>second"}),
            ReadFile("namespaces.ini"));
}

TEST_F(QuennetSetupListTest, FieldsOutsideTheCodePageAreRefused) {
  const std::string before = Lines({"[Namespaces]", "Namespace1=A"});
  OpenList(before, [this] {
    SelectSetup("A");
    Fill("x.ini", "a.rtf", "Main", "Zeta \xCE\xA9");
    services.messages.Expect(MessageKind::Warning,
                             "The character \"\xCE\xA9\" (U+03A9) cannot be stored in the "
                             "Windows-1252 code page of the files. Nothing was changed.");
    editor.btnSave->click();
    EXPECT_EQ("Main", editor.edName->text().toStdString()) << "the fields stay";
  });
  EXPECT_EQ(before, ReadFile("namespaces.ini"));
}

TEST_F(QuennetSetupListTest, BrowseButtonsStartInTheListsFolder) {
  OpenList(Lines({"[Namespaces]", "Namespace1=A"}), [this] {
    SelectSetup("A");
    services.fileDialogs.Expect({"/elsewhere/setup2.ini"});
    editor.btnSelINI->click();
    EXPECT_EQ("setup2.ini", editor.edIniName->text().toStdString());
    const platform::FileDialogRequest& ini = services.fileDialogs.Seen().back();
    EXPECT_EQ("changes.ini", ini.fileName);
    EXPECT_EQ(folder.path().toStdString() + "/", ini.initialDirectory);
    EXPECT_EQ("INI files (*.ini)|*.ini", ini.filter);
    editor.edInfoName->setText(QStringLiteral("old.rtf"));
    services.fileDialogs.ExpectCancel();
    editor.btnSelInfo->click();
    EXPECT_EQ("old.rtf", editor.edInfoName->text().toStdString());
    EXPECT_EQ("old.rtf", services.fileDialogs.Seen().back().fileName);
    EXPECT_EQ("Select an RTF file to use as main window information text:",
              services.fileDialogs.Seen().back().title);
  });
  EXPECT_EQ(Lines({"[Namespaces]", "Namespace1=A"}), ReadFile("namespaces.ini"));
}

}  // namespace
}  // namespace quennet_testing
