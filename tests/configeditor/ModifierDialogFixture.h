// What the tests of the 2DA modifier dialogs share: the dialog on a changes.ini in a
// scratch folder, opened as the main window opens it, with the scripted services, and
// readers of its list and boxes.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "configeditor/help/UInfoCopyForm.h"
#include "formats/U2DAEdit.h"
#include "formats/UKV_IniFile.h"
#include "platform/Files.h"
#include "platform/ui/Codec.h"
#include "platform/ui/StringGrid.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/support/FakeServices.h"
#include "tests/support/Raises.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/Widgets.h"

namespace modifier_testing {

using Rows = std::vector<std::vector<std::string>>;
using Items = std::vector<std::string>;

template <typename Dialog>
class ModifierDialogTest : public testing::Test {
 protected:
  ModifierDialogTest() {
    if constexpr (requires { dialog.SetCopyHelp(help); }) dialog.SetCopyHelp(help);
  }

  std::string PathOf(const std::string& name) const { return folder.PathOf(name); }
  std::string Text() const { return platform::ReadWholeFile(PathOf("changes.ini")); }

  // Writes changes.ini and opens the dialog on the modifier `label` of `fileName2da`.
  void Open(const std::string& text, const std::string& label = "m",
            const std::string& fileName2da = "appearance.2da") {
    platform::ReplaceFile(PathOf("changes.ini"), text);
    ini = std::make_unique<TKV_Inifile>(PathOf("changes.ini"));
    Reopen(label, fileName2da);
  }
  // Opens the dialog again on the same changes.ini.
  void Reopen(const std::string& label = "m", const std::string& fileName2da = "appearance.2da") {
    dialog.hide();
    dialog.SetIniFile(ini.get());
    dialog.SetFileName2da(fileName2da);
    dialog.SetModifierSection(label);
    dialog.LoadModifier();
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  }

  // Stores the column `key` with `value` through the boxes and the add button.
  void Store(const std::string& key, const std::string& value) {
    Type(dialog.cbColLabel, key);
    Type(dialog.cbColValue, value);
    dialog.btnAddToList->click();
  }

  // The sentence the 2DA reader gives for the file at `path`.
  static std::string ReaderError(const std::string& path) {
    return testing_support::RaisedMessage<EDead>([&] { T2DAHandler().LoadFromFile(path); })
        .value_or("");
  }

  Rows ListRows() const { return testing_support::GridRows(*dialog.grid2daMod); }
  static Items ItemsOf(const QComboBox& box) { return testing_support::ComboItems(box); }
  static std::string TextOf(const QComboBox& box) { return testing_support::ComboText(box); }
  static std::string TextOf(const QLineEdit& edit) { return platform::FromQt(edit.text()); }
  static bool IsGreen(const QComboBox& box) {
    return box.palette().color(QPalette::Base) == QColor(192, 220, 192);
  }
  static void Type(QComboBox* box, const std::string& text) { Type(box->lineEdit(), text); }
  static void Type(QLineEdit* edit, const std::string& text) {
    edit->clear();
    QTest::keyClicks(edit, platform::ToQt(text));
  }

  testing_support::ScopedFakeServices services;
  testing_support::ScratchFolder folder;
  std::unique_ptr<TKV_Inifile> ini;
  quennet::TInfoCopyForm help;
  Dialog dialog;
};

}  // namespace modifier_testing
