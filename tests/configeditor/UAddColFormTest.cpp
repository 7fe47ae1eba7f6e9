// The AddColumn dialog: the column settings kept first, the row values with their
// identifier kinds, both warnings, the key filter, the Memory pick, edit and Close.
// Each user action is checked on the whole changes.ini text.
#include "configeditor/modifiers/UAddColForm.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "configeditor/parts/UDropDownCombo.h"
#include "tests/configeditor/ModifierDialogFixture.h"

namespace quennet {
namespace {

using modifier_testing::Items;
using modifier_testing::kHead;
using modifier_testing::kTail;
using modifier_testing::Lines;
using modifier_testing::Rows;
using platform::MessageKind;

const char kIdentifierWarning[] =
    "You must specify a valid identifier for the row to have its value changed!";
const char kValueWarning[] =
    "You must specify a value the row should be changed to. Set it to \"****\" if you want a "
    "blank entry.";

class AddColumnFormTest : public modifier_testing::ModifierDialogTest<TAdd2daColForm> {
 protected:
  void Store(int ident, const std::string& row, const std::string& value) {
    dialog.cbRowIdent->setCurrentIndex(ident);
    dialog.edRowNum->setText(platform::ToQt(row));
    Type(dialog.cbRowValue, value);
    dialog.btnAddToList->click();
  }
};

TEST_F(AddColumnFormTest, LoadKeepsTheSettingsFirst) {
  struct Case {
    const char* name;
    std::string section;
    std::string loaded;
    const char* label;
    const char* defaultValue;
    Rows rows;
  };
  const Case cases[] = {
      {"empty section", "", Lines({"[m]", "ColumnLabel=NewColumn", "DefaultValue=****"}),
       "NewColumn", "****", Rows{{"", ""}}},
      {"no label", Lines({"[m]", "I0=a", "DefaultValue=x"}),
       Lines({"[m]", "ColumnLabel=NewColumn", "DefaultValue=x", "I0=a"}), "NewColumn", "x",
       Rows{{"I0", "a"}}},
      {"label first: nothing written", Lines({"[m]", "ColumnLabel=abc", "I0=a", "DefaultValue=x"}),
       Lines({"[m]", "ColumnLabel=abc", "I0=a", "DefaultValue=x"}), "abc", "x", Rows{{"I0", "a"}}},
      {"a stored label further down is kept", Lines({"[m]", "I0=a", "ColumnLabel=abc"}),
       Lines({"[m]", "ColumnLabel=abc", "DefaultValue=****", "I0=a"}), "abc", "****",
       Rows{{"I0", "a"}}},
      {"a first label in another case is kept",
       Lines({"[m]", "columnlabel=abc", "I1=b", "defaultvalue=y"}),
       Lines({"[m]", "ColumnLabel=abc", "DefaultValue=y", "I1=b"}), "abc", "y", Rows{{"I1", "b"}}},
      {"an empty stored label", Lines({"[m]", "L_x=1", "ColumnLabel="}),
       Lines({"[m]", "ColumnLabel=NewColumn", "DefaultValue=****", "L_x=1"}), "NewColumn", "****",
       Rows{{"L_x", "1"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open(kHead + c.section + kTail);
    const std::string loaded =
        c.section.empty() ? kHead + kTail + c.loaded : kHead + c.loaded + kTail;
    EXPECT_EQ(loaded, Text());
    EXPECT_EQ(c.label, TextOf(*dialog.edNewLabel));
    EXPECT_EQ(c.defaultValue, TextOf(*dialog.edDefaultVal));
    EXPECT_EQ(c.rows, ListRows());
    EXPECT_EQ("RowIndex", TextOf(*dialog.cbRowIdent));
  }
}

TEST_F(AddColumnFormTest, CloseWritesBothSettingsFirstOrNothing) {
  Open(kHead + Lines({"[m]", "ColumnLabel=abc", "I0=a", "DefaultValue=x"}) + kTail);
  dialog.edNewLabel->clear();
  dialog.btnClose->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(kHead + Lines({"[m]", "ColumnLabel=abc", "I0=a", "DefaultValue=x"}) + kTail, Text())
      << "an empty label writes nothing";
  Reopen();
  Type(dialog.edDefaultVal, "z");
  dialog.close();  // the close box stores nothing
  EXPECT_EQ(kHead + Lines({"[m]", "ColumnLabel=abc", "I0=a", "DefaultValue=x"}) + kTail, Text());
  Reopen();
  Type(dialog.edDefaultVal, "z");
  dialog.btnClose->click();
  EXPECT_EQ(kHead + Lines({"[m]", "ColumnLabel=abc", "DefaultValue=z", "I0=a"}) + kTail, Text());
}

TEST_F(AddColumnFormTest, StoreWarnsWritesAndResetsTheBoxes) {
  Open(kHead + Lines({"[m]", "ColumnLabel=c", "DefaultValue=****"}));
  const std::string loaded = Text();
  struct Refused {
    int ident;
    const char* row;
    const char* value;
    std::string warning;
  };
  const Refused refused[] = {
      {0, "", "7", kIdentifierWarning},
      {2, "2", "7", kIdentifierWarning},
      {0, "5", "", kValueWarning},
      {1, "a=b", "7", *RefusedKeyName("La=b")},
  };
  for (const Refused& r : refused) {
    SCOPED_TRACE(r.warning);
    services.messages.Expect(MessageKind::Warning, r.warning);
    Store(r.ident, r.row, r.value);
    EXPECT_EQ(r.row, TextOf(*dialog.edRowNum)) << "the boxes keep what was typed";
  }
  EXPECT_EQ(loaded, Text());

  Store(0, "5", "7");
  EXPECT_EQ(loaded + "I5=7\r\n", Text());
  EXPECT_EQ((Rows{{"I5", "7"}}), ListRows());
  EXPECT_EQ("", TextOf(*dialog.edRowNum));
  EXPECT_EQ("", TextOf(*dialog.cbRowValue));
  EXPECT_EQ("RowIndex", TextOf(*dialog.cbRowIdent));
  Store(1, "_lbl", "****");
  Store(2, "2DAMEMORY1", "I5");
  EXPECT_EQ(loaded + Lines({"I5=7", "L_lbl=****", "2DAMEMORY1=I5"}), Text());

  dialog.grid2daMod->SetRow(1);
  dialog.btnEditColValue->click();
  EXPECT_EQ("RowLabel", TextOf(*dialog.cbRowIdent));
  EXPECT_EQ("_lbl", TextOf(*dialog.edRowNum));
  EXPECT_EQ("****", TextOf(*dialog.cbRowValue));
  dialog.grid2daMod->SetRow(2);
  dialog.btnEditColValue->click();
  EXPECT_EQ("Memory", TextOf(*dialog.cbRowIdent));
  EXPECT_EQ("2DAMEMORY1", TextOf(*dialog.edRowNum));
  dialog.btnDeleteKey->click();
  EXPECT_EQ(loaded + Lines({"I5=7", "L_lbl=****"}), Text());

  dialog.cbRowValue->showPopup();
  EXPECT_EQ(Items{}, ItemsOf(*dialog.cbRowValue)) << "no fixed tokens";
  dialog.cbRowValue->hidePopup();
}

TEST_F(AddColumnFormTest, KeyFilterAndMemoryPick) {
  Open(kHead);
  QTest::keyClicks(dialog.edRowNum, "1x2");
  EXPECT_EQ("12", TextOf(*dialog.edRowNum));
  EXPECT_EQ(1, services.beep.Count());

  dialog.edRowNum->clear();
  dialog.cbRowIdent->setCurrentIndex(2);
  emit dialog.cbRowIdent->activated(2);
  EXPECT_EQ("2DAMEMORY", TextOf(*dialog.edRowNum));
  EXPECT_EQ(9, dialog.edRowNum->cursorPosition());
  QTest::keyClicks(dialog.edRowNum, "abc");
  EXPECT_EQ("2DAMEMORYABC", TextOf(*dialog.edRowNum));
  dialog.edRowNum->setText(QStringLiteral("2DAMEMORY4"));
  emit dialog.cbRowIdent->activated(2);
  EXPECT_EQ("2DAMEMORY4", TextOf(*dialog.edRowNum));

  dialog.cbRowIdent->setCurrentIndex(1);
  emit dialog.cbRowIdent->activated(1);
  QTest::keyClicks(dialog.edRowNum, "x;");
  EXPECT_EQ("2DAMEMORY4x;", TextOf(*dialog.edRowNum));
  EXPECT_EQ(1, services.beep.Count());
}

}  // namespace
}  // namespace quennet
