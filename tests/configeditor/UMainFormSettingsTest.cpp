// The Settings pane: loading with defaults and clamps, saving as whole-file texts,
// "&Reset changes", edits dropped on leaving the node, and a failing write.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <optional>
#include <vector>

#include "platform/PrivateProfile.h"
#include "tests/configeditor/QuennetFixture.h"

namespace quennet_testing {
namespace {

const char kStored[] = "The settings have been stored in the open changes.ini file!";

class QuennetSettingsTest : public QuennetTest {
 protected:
  struct Shown {
    std::string caption, confirm;
    int log, mode, backups, logstyle;
    std::string required, requiredMsg;
    int lookup, game;
    bool gameEnabled, debug;
    bool operator==(const Shown&) const = default;
  };
  Shown Controls() const {
    auto* f = form;
    return {platform::FromQt(f->edSetCaption->text()),
            platform::FromQt(f->edSetConfirm->text()),
            f->bxSetLog->currentIndex(),
            f->cbMode->currentIndex(),
            f->cbBackups->currentIndex(),
            f->cbLogstyle->currentIndex(),
            platform::FromQt(f->edSetReqFile->text()),
            platform::FromQt(f->edSetReqMsg->text()),
            f->cbLookup->currentIndex(),
            f->cbGameVer->currentIndex(),
            f->cbGameVer->isEnabled(),
            f->cbDebugScripts->isChecked()};
  }
  void Save() {
    services.messages.Expect(MessageKind::Information, kStored);
    form->btnSetSave->click();
  }
};

TEST_F(QuennetSettingsTest, NewFileShowsTheDefaultsAndSavesThemInOrder) {
  NewFile();
  EXPECT_EQ((Shown{"", "N/A", 3, 0, 0, 0, "", "", 0, 0, false, false}), Controls());
  EXPECT_EQ("3 - Default: Generic info, errors and warnings",
            form->bxSetLog->currentText().toStdString());
  const std::string before = ReadFile("changes.ini");
  Save();
  EXPECT_EQ("Information", services.messages.Seen().back().caption);
  std::string expected = before;
  expected.replace(
      expected.find("FileExists=1\r\n"), 14,
      "FileExists=1\r\nConfirmMessage=N/A\r\nLogLevel=3\r\nInstallerMode=1\r\nBackupFiles=1\r\n"
      "PlaintextLog=0\r\nLookupGameFolder=0\r\nLookupGameNumber=2\r\nSaveProcessedScripts=0\r\n");
  EXPECT_EQ(expected, ReadFile("changes.ini"));
}

TEST_F(QuennetSettingsTest, StoredValuesLoadWithClampsAndDefaults) {
  struct Case {
    const char* keys;
    Shown shown;
  };
  const Case cases[] = {
      {"LogLevel=9\r\n", {"", "N/A", 4, 0, 0, 0, "", "", 0, 0, false, false}},
      {"LogLevel=-2\r\n", {"", "N/A", 0, 0, 0, 0, "", "", 0, 0, false, false}},
      {"LookupGameNumber=3\r\nLookupGameFolder=1\r\n",
       {"", "N/A", 3, 0, 0, 0, "", "", 1, 0, true, false}},
      {"LookupGameNumber=1\r\n", {"", "N/A", 3, 0, 0, 0, "", "", 0, 1, false, false}},
      {"InstallerMode=0x0\r\n", {"", "N/A", 3, 1, 0, 0, "", "", 0, 0, false, false}},
      {"InstallerMode=yes\r\n", {"", "N/A", 3, 0, 0, 0, "", "", 0, 0, false, false}},
      {"WindowCaption=My Mod\r\nConfirmMessage=Go?\r\nBackupFiles=0\r\nPlaintextLog=1\r\n"
       "Required=a.utc\r\nRequiredMsg=Install the base mod first.\r\nSaveProcessedScripts=1\r\n",
       {"My Mod", "Go?", 3, 0, 1, 1, "a.utc", "Install the base mod first.", 0, 0, false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    OpenFile(std::string("[Settings]\r\n") + c.keys);
    EXPECT_EQ(c.shown, Controls());
  }
}

TEST_F(QuennetSettingsTest, SavingWritesClampedValuesAndDeletesEmptiedTexts) {
  OpenFile(
      "[Settings]\r\nWindowCaption=Old\r\nLogLevel=9\r\nLookupGameNumber=3\r\nRequired=x."
      "2da\r\nFileExists=1\r\n"
      "[TLKList]\r\nStrRef0=1\r\n");
  QTest::keyClick(form->edSetCaption, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(form->edSetCaption, Qt::Key_Delete);
  form->edSetConfirm->setText(QString());
  form->edSetReqMsg->setText(QStringLiteral("  spaced  "));
  Save();
  EXPECT_EQ(
      "[Settings]\r\nLogLevel=4\r\nLookupGameNumber=2\r\nRequired=x.2da\r\nFileExists=1\r\n"
      "InstallerMode=1\r\nBackupFiles=1\r\nPlaintextLog=0\r\nRequiredMsg=  spaced  \r\n"
      "LookupGameFolder=0\r\nSaveProcessedScripts=0\r\n"
      "[TLKList]\r\nStrRef0=1\r\n",
      ReadFile("changes.ini"));
}

// "Zażółć" would be written as "Za???". The save is refused by the first character the
// code page cannot store, and nothing is written.
TEST_F(QuennetSettingsTest, TextsOutsideTheCodePageAreRefused) {
  NewFile();
  const std::string before = ReadFile("changes.ini");
  for (QLineEdit* edit :
       {form->edSetCaption, form->edSetConfirm, form->edSetReqFile, form->edSetReqMsg}) {
    const QString kept = edit->text();
    edit->setText(QString::fromUtf8("Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"));
    services.messages.Expect(MessageKind::Warning,
                             "The character \"\xC5\xBC\" (U+017C) cannot be stored in the "
                             "Windows-1252 code page of the files. Nothing was changed.");
    form->btnSetSave->click();
    EXPECT_EQ(before, ReadFile("changes.ini")) << edit->objectName().toStdString();
    edit->setText(kept);
  }
}

TEST_F(QuennetSettingsTest, ChoosingRegistryLookupEnablesTheGameListAtOnce) {
  NewFile();
  const std::string before = ReadFile("changes.ini");
  form->cbLookup->setFocus();
  QTest::keyClick(form->cbLookup, Qt::Key_Down);
  EXPECT_EQ(1, form->cbLookup->currentIndex());
  EXPECT_TRUE(form->cbGameVer->isEnabled());
  QTest::keyClick(form->cbLookup, Qt::Key_Up);
  EXPECT_FALSE(form->cbGameVer->isEnabled());
  EXPECT_EQ(before, ReadFile("changes.ini")) << "edits stay in the pane until saved";
}

TEST_F(QuennetSettingsTest, ResetAndLeavingTheNodeDropEdits) {
  OpenFile("[Settings]\r\nWindowCaption=Stored\r\nLogLevel=1\r\n");
  const std::string text = ReadFile("changes.ini");
  const Shown stored = Controls();
  auto edit = [&] {
    form->edSetCaption->setText(QStringLiteral("Edited"));
    form->bxSetLog->setCurrentIndex(4);
    form->cbDebugScripts->setChecked(true);
    ASSERT_NE(stored, Controls());
  };
  edit();
  form->btnSetReset->click();
  EXPECT_EQ(stored, Controls());
  edit();
  Select(form->nodeTlk);
  Select(form->nodeSettings);
  EXPECT_EQ(stored, Controls());
  EXPECT_EQ(text, ReadFile("changes.ini"));
}

// The folder of the open file is removed: the first write fails, the default handler
// shows its sentence, no confirmation follows and the program goes on.
TEST_F(QuennetSettingsTest, AFailedWriteReachesTheDefaultHandler) {
  QDir sub(folder.path());
  ASSERT_TRUE(sub.mkdir("mod"));
  OpenFile("[Settings]\r\nFileExists=1\r\n", "mod/changes.ini");
  ASSERT_TRUE(QDir(folder.path() + "/mod").removeRecursively());
  const std::string path = PathOf("mod/changes.ini");
  services.messages.Expect(MessageKind::Error, "Unable to write to " + path);
  form->btnSetSave->click();
  ASSERT_EQ(1u, services.messages.Seen().size());
  EXPECT_EQ("Quennet", services.messages.Seen()[0].caption);

  Select(form->nodeTlk);
  Select(form->nodeSettings);
  EXPECT_TRUE(form->FileOpen());
  NewFile();
  EXPECT_EQ("Settings", CurrentNodeText());
}

// Another program holds the lock of changes.ini's folder while Save writes: the window
// shows the hourglass and keeps handling its messages while the write waits, and the
// write goes through once the lock is given back.
TEST_F(QuennetSettingsTest, ASaveWaitingForAnotherWritersLockShowsTheHourglass) {
  NewFile();
  std::optional<platform::FolderLock> theirs(std::in_place, PathOf("changes.ini"));
  std::vector<platform::CursorShape> shownAtPumps;
  services.cursor.AtEachPump([&] {
    shownAtPumps.push_back(services.cursor.Current());
    theirs.reset();  // the other writer is done
  });
  Save();
  services.cursor.AtEachPump({});
  ASSERT_FALSE(shownAtPumps.empty()) << "the window froze while the write waited";
  EXPECT_EQ(platform::CursorShape::Hourglass, shownAtPumps.front());
  EXPECT_EQ(platform::CursorShape::Normal, services.cursor.Current());
  EXPECT_NE(std::string::npos, ReadFile("changes.ini").find("LogLevel=3\r\n"));
}

}  // namespace
}  // namespace quennet_testing
