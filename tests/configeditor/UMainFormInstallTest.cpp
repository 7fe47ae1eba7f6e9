// The install list pane: adding from the input boxes, taking an entry back, deleting
// after the question, the file picker, the mass-add prompt and the help page, each
// checked on the whole changes.ini text.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "configeditor/help/UInfoForm.h"
#include "configeditor/prompts/UMassAddForm.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/QuennetFixture.h"
#include "tests/support/Widgets.h"

namespace quennet_testing {
namespace {

using testing_support::DoubleClickRow;
using testing_support::GridRows;
using Rows = testing_support::GridCells;
using modifier_testing::Lines;
using testing_support::Find;

const std::string kHead = Lines({"[Settings]", "FileExists=1"});
const std::string kOneEntry = kHead + Lines({"[InstallList]", "install_folder0=override",
                                             "[install_folder0]", "File0=a.2da"});

const std::string kUnstorableOmega =
    "The character \"\xCE\xA9\" (U+03A9) cannot be stored in the Windows-1252 code page of "
    "the files. Nothing was changed.";

class QuennetInstallTest : public QuennetWindowTest {
 protected:
  void OpenAndShowPane(const std::string& text) {
    OpenFile(text);
    Select(form->nodeInstall);
  }
  void Type(const std::string& folder, const std::string& file, bool replace) {
    form->edFolderName->setText(QString::fromStdString(folder));
    form->edFileName->setText(QString::fromStdString(file));
    form->cbFileReplace->setChecked(replace);
  }
  void Add(const std::string& folder, const std::string& file, bool replace) {
    Type(folder, file, replace);
    form->btnAddInstall->click();
  }
  // The mass-add prompt answers with `folder` and `replace` (Select) or is cancelled.
  void ExpectMassAdd(const std::string& folder, bool replace, bool select = true) {
    services.modals.Expect("TMassAddForm", [=](QDialog& dialog) {
      Find<QLineEdit>(&dialog, "edFoldername")->setText(QString::fromStdString(folder));
      Find<QCheckBox>(&dialog, "cbReplace")->setChecked(replace);
      Find<QPushButton>(&dialog, select ? "btnOK" : "btnCancel")->click();
    });
  }
  Rows List() const { return GridRows(*form->gridInstall); }
  std::vector<std::string> SelectedRow() const {
    return List().at(static_cast<size_t>(form->gridInstall->Row()));
  }
};

TEST_F(QuennetInstallTest, AddingEntries) {
  OpenAndShowPane(kHead + Lines({"[InstallList]"}));
  Add("override", "a.2da", false);
  EXPECT_EQ(kOneEntry, ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"override", "a.2da", "Copy"}}), List());
  EXPECT_EQ("", form->edFileName->text().toStdString());
  EXPECT_EQ("override", form->edFolderName->text().toStdString());
  EXPECT_TRUE(form->edFileName->hasFocus());

  Add("override", "a.2da", false);
  EXPECT_EQ(kOneEntry, ReadFile("changes.ini"));
  EXPECT_EQ("a.2da", form->edFileName->text().toStdString()) << "nothing happened";

  Add(" override ", " a.2da\t", true);
  const std::string replaced = kHead + Lines({"[InstallList]", "install_folder0=override",
                                              "[install_folder0]", "Replace0=a.2da"});
  EXPECT_EQ(replaced, ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"override", "a.2da", "Rep."}}), List());

  Add("Override", "b.2da", false);
  Add("override", "c.2da", false);
  EXPECT_EQ(kHead + Lines({"[InstallList]", "install_folder0=override", "install_folder1=Override",
                           "[install_folder0]", "Replace0=a.2da", "File0=c.2da",
                           "[install_folder1]", "File0=b.2da"}),
            ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"override", "a.2da", "Rep."},
                  {"override", "c.2da", "Copy"},
                  {"Override", "b.2da", "Copy"}}),
            List());
  EXPECT_EQ((std::vector<std::string>{"override", "c.2da", "Copy"}), SelectedRow());

  Add("", "d.2da", false);
  Add("x", "  ", false);
  EXPECT_EQ(3u, List().size());
}

// A name the code page cannot store is refused by its first such character.
TEST_F(QuennetInstallTest, NamesOutsideTheCodePageAreRefused) {
  OpenAndShowPane(kOneEntry);
  const char* const kOmega = "\xCE\xA9";
  for (auto [folder, file] : {std::pair{std::string("Ov") + kOmega, std::string("b.2da")},
                              std::pair{std::string("override"), std::string("b") + kOmega}}) {
    services.messages.Expect(MessageKind::Warning, kUnstorableOmega);
    form->edFolderName->setText(QString::fromUtf8(folder));
    form->edFileName->setText(QString::fromUtf8(file));
    form->btnAddInstall->click();
  }
  ExpectMassAdd(std::string("x") + kOmega, false);
  services.messages.Expect(MessageKind::Warning, kUnstorableOmega);
  form->btnMassAdd->click();
  EXPECT_EQ(kOneEntry, ReadFile("changes.ini"));
}

TEST_F(QuennetInstallTest, TheKeysActOnlyWhileThePaneIsShown) {
  OpenAndShowPane(kOneEntry);
  Type("override", "b.2da", false);
  QTest::keyClick(form->edFileName, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(2u, List().size());
  form->edFileName->clear();
  QTest::keyClick(form->gridInstall, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ("b.2da", form->edFileName->text().toStdString());

  Type("override", "c.2da", false);
  QTest::keyClick(form->edFolderName, Qt::Key_Up,
                  Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  Select(form->nodeSettings);
  QTest::keyClick(form->edFolderName, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(kOneEntry + Lines({"File1=b.2da"}), ReadFile("changes.ini"));
}

TEST_F(QuennetInstallTest, EditTakesTheRowIntoTheBoxes) {
  OpenAndShowPane(kOneEntry + Lines({"Replace0=b.2da"}));
  DoubleClickRow(*form->gridInstall, 1);
  EXPECT_EQ("override", form->edFolderName->text().toStdString());
  EXPECT_EQ("b.2da", form->edFileName->text().toStdString());
  EXPECT_TRUE(form->cbFileReplace->isChecked());

  OpenAndShowPane(kHead);
  form->btnEditInstall->click();
  EXPECT_EQ("", form->edFolderName->text().toStdString());
  EXPECT_EQ("", form->edFileName->text().toStdString());
  EXPECT_FALSE(form->cbFileReplace->isChecked());
  EXPECT_EQ(kHead, ReadFile("changes.ini"));
}

TEST_F(QuennetInstallTest, DeletingAfterTheQuestion) {
  const std::string twoFolders =
      kHead + Lines({"[InstallList]", "install_folder0=override", "install_folder1=Override",
                     "[install_folder0]", "File0=a.2da", "[install_folder1]", "File0=b.2da",
                     "File1=c.2da"});
  OpenAndShowPane(twoFolders);
  form->gridInstall->SetRow(2);
  const std::string question =
      "Are you sure you wish to delete the entry for the file \"c.2da\"  in the folder "
      "\"Override\"?";
  services.messages.Expect(MessageKind::Confirmation, question, MessageAnswer::No);
  form->btnInstallDelete->click();
  EXPECT_EQ(twoFolders, ReadFile("changes.ini"));

  // Found under the second folder key that matches without regard to case.
  services.messages.Expect(MessageKind::Confirmation, question, MessageAnswer::Yes);
  form->btnInstallDelete->click();
  EXPECT_EQ(kHead + Lines({"[InstallList]", "install_folder0=override", "install_folder1=Override",
                           "[install_folder0]", "File0=a.2da", "[install_folder1]", "File0=b.2da"}),
            ReadFile("changes.ini"));
  EXPECT_EQ(1, form->gridInstall->Row());

  form->gridInstall->SetRow(0);
  services.messages.Expect(MessageKind::Confirmation,
                           "Are you sure you wish to delete the entry for the file \"a.2da\"  in "
                           "the folder \"override\"?",
                           MessageAnswer::Yes);
  form->btnInstallDelete->click();
  EXPECT_EQ(kHead + Lines({"[InstallList]", "install_folder1=Override", "[install_folder1]",
                           "File0=b.2da"}),
            ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"Override", "b.2da", "Copy"}}), List());
}

TEST_F(QuennetInstallTest, TheFilePickerTakesTheBareName) {
  OpenAndShowPane(kHead);
  services.fileDialogs.Expect({"/some/folder/x.tga"});
  form->btnGetFileName->click();
  EXPECT_EQ("x.tga", form->edFileName->text().toStdString());
  const platform::FileDialogRequest& request = services.fileDialogs.Seen().back();
  EXPECT_EQ("All files (*.*)|*.*", request.filter);
  EXPECT_EQ("", request.fileName);
  EXPECT_EQ("Select a file to get the name of...", request.title);
  services.fileDialogs.ExpectCancel();
  form->btnGetFileName->click();
  EXPECT_EQ("x.tga", form->edFileName->text().toStdString());
  EXPECT_TRUE(form->edFileName->hasFocus());
}

TEST_F(QuennetInstallTest, MassAdd) {
  OpenAndShowPane(kOneEntry);
  Type("kept", "kept.2da", false);
  ExpectMassAdd("new", true);
  services.fileDialogs.Expect({"/d/x.2da", "/d/y.2da", "/d/z.2da"});
  form->btnMassAdd->click();
  EXPECT_EQ(platform::FileDialogRequest::Mode::OpenMultiple,
            services.fileDialogs.Seen().back().mode);
  EXPECT_EQ("Select the files to get the names of (use shift to select multiple)",
            services.fileDialogs.Seen().back().title);
  EXPECT_EQ(kHead + Lines({"[InstallList]", "install_folder0=override", "install_folder1=new",
                           "[install_folder0]", "File0=a.2da", "[install_folder1]",
                           "Replace0=x.2da", "Replace1=y.2da", "Replace2=z.2da"}),
            ReadFile("changes.ini"));
  EXPECT_EQ((std::vector<std::string>{"new", "z.2da", "Rep."}), SelectedRow());
  EXPECT_EQ("kept.2da", form->edFileName->text().toStdString());
  EXPECT_EQ("", forms->MassAddForm->edFoldername->text().toStdString());

  const std::string after = ReadFile("changes.ini");
  ExpectMassAdd("other", false, false);
  form->btnMassAdd->click();
  ExpectMassAdd("", false);
  form->btnMassAdd->click();
  ExpectMassAdd("other", false);
  services.fileDialogs.ExpectCancel();
  form->btnMassAdd->click();
  EXPECT_EQ(after, ReadFile("changes.ini"));
}

TEST_F(QuennetInstallTest, TheMassAddFolderPickerKeepsTheLastPart) {
  quennet::TMassAddForm& prompt = *forms->MassAddForm;
  const std::pair<const char*, const char*> cases[] = {
      {"/x/y", "y"}, {"C:\\a\\b", "b"}, {"/", ""}, {"", ""}};
  for (auto [picked, shown] : cases) {
    prompt.edFoldername->setText(QStringLiteral("typed"));
    services.folderPicker.Expect(picked);
    prompt.SpeedButton1->click();
    EXPECT_EQ(shown, prompt.edFoldername->text().toStdString()) << picked;
  }
  EXPECT_EQ("Please select a folder to get the name of", services.folderPicker.Titles().back());
}

TEST_F(QuennetInstallTest, NewEmptiesThePane) {
  OpenAndShowPane(kOneEntry);
  Type("override", "b.2da", true);
  NewFile("other.ini");
  EXPECT_EQ((Rows{{"", "", ""}}), List());
  EXPECT_EQ("", form->edFolderName->text().toStdString());
  EXPECT_EQ("", form->edFileName->text().toStdString());
  EXPECT_FALSE(form->cbFileReplace->isChecked());
}

TEST_F(QuennetInstallTest, TheHelpButtonTogglesTheInstallPage) {
  OpenAndShowPane(kHead);
  quennet::TInfoForm& info = *forms->InfoForm;
  form->BtnInstallInfo->click();
  EXPECT_EQ(info.txtInstallInfo, info.ShownPage());
  form->BtnInstallInfo->click();
  EXPECT_FALSE(info.isVisible());
}

}  // namespace
}  // namespace quennet_testing
