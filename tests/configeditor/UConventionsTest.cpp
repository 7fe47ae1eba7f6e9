// The conventions shared by every pane: least-free key numbering, bare names, the
// Ctrl+Shift keys and refilling editable drop-downs.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "configeditor/parts/UConventions.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/ui/Application.h"
#include "tests/support/FakeServices.h"
#include "tests/support/ScratchFolder.h"

namespace {

using quennet::NextFreeFilledKey;
using quennet::NextFreeKey;

class ConventionsIniTest : public testing::Test {
 protected:
  TKV_Inifile& Ini(const std::string& text) {
    const std::string path = folder.PathOf("changes.ini");
    platform::ReplaceFile(path, text);
    ini = std::make_unique<TKV_Inifile>(path);
    return *ini;
  }
  testing_support::ScratchFolder folder;
  std::unique_ptr<TKV_Inifile> ini;
};

TEST_F(ConventionsIniTest, NextFreeKeyTakesTheLeastUnusedNumber) {
  struct Case {
    const char* section;
    const char* prefix;
    int first;
    const char* expected;
  };
  const char kText[] =
      "[2DAList]\r\nTable0=a.2da\r\nTABLE1=b.2da\r\ntable3=c.2da\r\n"
      "[GFFList]\r\nFile0=a.utc\r\nReplace0=b.utc\r\nReplace1=c.utc\r\nFile2=d.utc\r\n"
      "[Namespaces]\r\nNamespace1=a\r\nNamespace2=b\r\n"
      "[empty]\r\n";
  const Case cases[] = {
      {"2DAList", "Table", 0, "Table2"},  // case does not matter, gaps are filled
      {"GFFList", "File", 0, "File1"},    // each prefix counts on its own
      {"GFFList", "Replace", 0, "Replace2"}, {"Namespaces", "Namespace", 1, "Namespace3"},
      {"empty", "AddRow", 0, "AddRow0"},     {"missing", "install_folder", 0, "install_folder0"},
      {"2DAList", "Tab", 0, "Tab0"},  // whole names compare, not prefixes
  };
  TKV_Inifile& file = Ini(kText);
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, NextFreeKey(file, c.section, c.prefix, c.first))
        << c.section << " " << c.prefix;
  }
}

TEST_F(ConventionsIniTest, NextFreeFilledKeyIgnoresKeysWithoutValue) {
  TKV_Inifile& file =
      Ini("[spells.2da]\r\nAddRow0=\r\nAddRow1=first\r\nChangeRow0=second\r\nAddRow2=third\r\n");
  EXPECT_EQ("AddRow0", NextFreeFilledKey(file, "spells.2da", "AddRow"));
  EXPECT_EQ("ChangeRow1", NextFreeFilledKey(file, "spells.2da", "ChangeRow"));
  EXPECT_EQ("AddRow3", NextFreeKey(file, "spells.2da", "AddRow"));
}

TEST(ConventionsTest, BareNamesDropTheFolder) {
  const std::pair<const char*, const char*> files[] = {
      {"/home/me/mods/spells.2da", "spells.2da"},
      {"C:\\Games\\Override\\p_hk47.utc", "p_hk47.utc"},
      {"plain.ssf", "plain.ssf"},
  };
  for (auto [path, name] : files) EXPECT_EQ(name, quennet::BareFileName(path));
  const std::pair<const char*, const char*> folders[] = {
      {"/home/me/StreamVoice/AVO/", "AVO"},
      {"C:\\Games\\Override", "Override"},
      {"C:\\Games\\Lips\\\\", "Lips"},
  };
  for (auto [path, name] : folders) EXPECT_EQ(name, quennet::LastPathPart(path));
}

TEST(ConventionsTest, CtrlShiftKeysActOnReleaseWithExactlyCtrlAndShift) {
  struct Case {
    QEvent::Type type;
    int key;
    Qt::KeyboardModifiers modifiers;
    bool autoRepeat;
    bool expected;
  };
  const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
  const Case cases[] = {
      {QEvent::KeyRelease, Qt::Key_Up, ctrlShift, false, true},
      {QEvent::KeyRelease, Qt::Key_Up, ctrlShift | Qt::KeypadModifier, false, true},
      {QEvent::KeyPress, Qt::Key_Up, ctrlShift, false, false},
      {QEvent::KeyRelease, Qt::Key_Down, ctrlShift, false, false},
      {QEvent::KeyRelease, Qt::Key_Up, Qt::ControlModifier, false, false},
      {QEvent::KeyRelease, Qt::Key_Up, Qt::ShiftModifier, false, false},
      {QEvent::KeyRelease, Qt::Key_Up, ctrlShift | Qt::AltModifier, false, false},
      {QEvent::KeyRelease, Qt::Key_Up, ctrlShift, true, false},
  };
  for (const Case& c : cases) {
    QKeyEvent event(c.type, c.key, c.modifiers, QString(), c.autoRepeat);
    EXPECT_EQ(c.expected, quennet::IsCtrlShiftKeyRelease(event, Qt::Key_Up))
        << c.type << " " << c.key << " " << c.modifiers.toInt() << " " << c.autoRepeat;
  }
}

TEST(ConventionsTest, CtrlShiftKeyHandlerRunsGuardedOnRelease) {
  platform::SetApplicationTitle("Quennet");
  testing_support::ScopedFakeServices services;
  QLineEdit edit;
  int runs = 0;
  quennet::OnCtrlShiftKeyRelease(&edit, Qt::Key_Up, [&runs] {
    ++runs;
    throw platform::Exception("Stored nothing.");
  });
  services.messages.Expect(platform::MessageKind::Error, "Stored nothing.");
  QTest::keyClick(&edit, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(&edit, Qt::Key_Up, Qt::ControlModifier);
  QTest::keyClick(&edit, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(1, runs);
  EXPECT_EQ("Quennet", services.messages.Seen().at(0).caption);
}

// QComboBox drops an editable box's typed text on clear() and on the first addItem().
TEST(ConventionsTest, ReplacingItemsKeepsTheTypedText) {
  QComboBox box;
  box.setEditable(true);
  box.addItem(QStringLiteral("old"));
  box.setEditText(QStringLiteral("2DAMEMORY4"));
  quennet::ReplaceComboItems(box, {"StrRef0", "StrRef1"});
  EXPECT_EQ("2DAMEMORY4", box.currentText().toStdString());
  EXPECT_EQ(2, box.count());
  box.setEditText(QString());
  quennet::ReplaceComboItems(box, {"a"});
  EXPECT_EQ("", box.currentText().toStdString());

  QComboBox list;
  quennet::ReplaceComboItems(list, {"x", "y"});
  EXPECT_EQ("x", list.currentText().toStdString());
}

}  // namespace
