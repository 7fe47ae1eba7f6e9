// The new-field editor, opened from the GFF pane and worked through its widgets, with
// the label prompt and nested editors scripted; each action is checked on the whole
// changes.ini text.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "configeditor/editors/UFormNewGFF.h"
#include "configeditor/help/UInfoForm.h"
#include "platform/ui/StringGrid.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/QuennetFixture.h"

namespace quennet_testing {
namespace {

using modifier_testing::Lines;
using quennet::TFormNewGFF;
using testing_support::Find;
using Rows = std::vector<std::vector<std::string>>;

const std::string kHead = Lines({"[Settings]", "FileExists=1", "[GFFList]", "File0=p.utc"});
const char* kNotUnique =
    "The entered modifier label is not unique! Please try again with another label that is not "
    "already in use.";

class NewGffFieldTest : public QuennetWindowTest {
 protected:
  void OpenAndSelect(const std::string& text, const std::string& fileName = "p.utc",
                     const std::string& name = "changes.ini") {
    OpenFile(text, name);
    SelectChild(form->nodeGff, fileName);
  }

  // The next editor (top-level or nested) runs `script`, then closes unless it did.
  void ExpectEditor(std::function<void(TFormNewGFF&)> script) {
    services.modals.Expect("TFormNewGFF", [script](QDialog& dialog) {
      auto& editor = static_cast<TFormNewGFF&>(dialog);
      script(editor);
      if (editor.isVisible()) editor.btnOK->click();
    });
  }
  void RunEditor(std::function<void(TFormNewGFF&)> script) {
    ExpectEditor(std::move(script));
    form->btnNewField->click();
  }
  // New with `label` typed into the label prompt.
  void New(TFormNewGFF& editor, const std::string& label) {
    services.modals.Expect("TNewLabelForm", [label](QDialog& dialog) {
      EXPECT_EQ("New Modifier Label", Find<QLabel>(&dialog, "lblTitle")->text().toStdString());
      EXPECT_EQ("Add GFF Field - Specify Modifier Label", dialog.windowTitle().toStdString());
      auto* edit = Find<QLineEdit>(&dialog, "edModLabel");
      EXPECT_EQ("", edit->text().toStdString());
      edit->setText(QString::fromStdString(label));
      Find<QPushButton>(&dialog, "btnSave")->click();
    });
    editor.btnNew->click();
  }
  static void ChooseType(TFormNewGFF& editor, const char* type) {
    const int index = editor.cbFieldType->findText(QString::fromLatin1(type));
    ASSERT_GE(index, 0) << type;
    editor.cbFieldType->setCurrentIndex(index);
    emit editor.cbFieldType->activated(index);
  }
  static void Set(QLineEdit* edit, const std::string& text) {
    edit->setText(QString::fromStdString(text));
  }
  static void SelectRow(TFormNewGFF& editor, int row) { editor.gridFields->SetRow(row); }
  static Rows FieldRows(TFormNewGFF& editor) {
    Rows rows;
    for (int row = 1; row < editor.gridFields->RowCount(); ++row) {
      std::vector<std::string> cells;
      for (int col = 0; col < 4; ++col) cells.emplace_back(editor.gridFields->Cell(col, row));
      rows.push_back(cells);
    }
    return rows;
  }
  static void SetLocalized(TFormNewGFF& editor, const Rows& rows) {
    editor.gridLocStr->setRowCount(static_cast<int>(rows.size()));
    for (size_t row = 0; row < rows.size(); ++row)
      for (int col = 0; col < 2; ++col)
        editor.gridLocStr->setItem(static_cast<int>(row), col,
                                   new QTableWidgetItem(QString::fromStdString(rows[row][col])));
  }
  static Rows Localized(TFormNewGFF& editor) {
    Rows rows;
    for (int row = 0; row < editor.gridLocStr->rowCount(); ++row) {
      std::vector<std::string> cells;
      for (int col = 0; col < 2; ++col) {
        const QTableWidgetItem* item = editor.gridLocStr->item(row, col);
        cells.push_back(item ? item->text().toStdString() : "");
      }
      rows.push_back(cells);
    }
    return rows;
  }
  Rows PaneRows() const {
    Rows rows;
    for (int row = 0; row < form->gridGffMod->RowCount(); ++row)
      rows.push_back({std::string(form->gridGffMod->Cell(0, row)),
                      std::string(form->gridGffMod->Cell(1, row))});
    return rows;
  }
  std::string File() const { return ReadFile("changes.ini"); }
};

TEST_F(NewGffFieldTest, AByteIsSavedOnceInItsKeyOrder) {
  OpenAndSelect(kHead + Lines({"[p.utc]", "Tag=1"}));
  RunEditor([this](TFormNewGFF& editor) {
    EXPECT_EQ("Add GFF Field [p.utc / ]", editor.windowTitle().toStdString());
    EXPECT_FALSE(editor.btnSave->isEnabled());
    New(editor, "nf_byte");
    EXPECT_EQ("Add GFF Field [p.utc / nf_byte]", editor.windowTitle().toStdString());
    EXPECT_EQ(kHead + Lines({"[p.utc]", "Tag=1"}), File()) << "New writes nothing";
    ChooseType(editor, "Byte");
    Set(editor.edLabel, "Plot");
    Set(editor.edValue, "5");
    editor.btnSave->click();
    const std::string saved = kHead + Lines({"[p.utc]", "Tag=1", "AddField0=nf_byte", "[nf_byte]",
                                             "FieldType=Byte", "Path=", "Label=Plot", "Value=5"});
    EXPECT_EQ(saved, File());
    editor.btnSave->click();
    EXPECT_EQ(saved, File()) << "a second save adds no key";
    EXPECT_EQ((Rows{{"AddField0", "nf_byte", "Byte", "Plot"}}), FieldRows(editor));
  });
  EXPECT_EQ((Rows{{"Tag", "1"}, {"AddField0", "nf_byte"}}), PaneRows());
}

TEST_F(NewGffFieldTest, NewThenCloseWritesNothing) {
  const std::string text = kHead + Lines({"[p.utc]", "Tag=1"});
  OpenAndSelect(text);
  RunEditor([this](TFormNewGFF& editor) {
    New(editor, "nf");
    ChooseType(editor, "Int");
    Set(editor.edLabel, "X");
  });
  EXPECT_EQ(text, File());
}

TEST_F(NewGffFieldTest, TheParentKeyTakesTheLeastFreeNumber) {
  const std::string head = kHead + Lines({"[p.utc]", "AddField0=a", "addfield1=b"});
  OpenAndSelect(head);
  RunEditor([this](TFormNewGFF& editor) {
    New(editor, "c");
    ChooseType(editor, "ExoString");
    Set(editor.edLabel, "Tag");
    Set(editor.edPath, "Sub\\0");
    editor.btnSave->click();
  });
  EXPECT_EQ(head + Lines({"AddField2=c", "[c]", "FieldType=ExoString", "Path=Sub\\0", "Label=Tag",
                          "Value="}),
            File());
}

TEST_F(NewGffFieldTest, LabelsAModifierMayNotTake) {
  const std::string text = kHead + Lines({"File1=q.utc", "[p.utc]", "AddField0=sib", "[sib]",
                                          "FieldType=Byte", "[2DAList]", "Table0=x.2da"});
  OpenAndSelect(text);
  RunEditor([this](TFormNewGFF& editor) {
    for (const char* label : {"SIB", "settings", "P.utc", "Q.UTC", "x.2da"}) {
      SCOPED_TRACE(label);
      services.messages.Expect(MessageKind::Warning, kNotUnique);
      New(editor, label);
      EXPECT_FALSE(editor.btnSave->isEnabled());
    }
    New(editor, "with blanks");
    EXPECT_TRUE(editor.btnSave->isEnabled());
    EXPECT_EQ("with blanks", editor.GetModifierSection());
  });
  EXPECT_EQ(text, File());
}

TEST_F(NewGffFieldTest, FieldLabelChecks) {
  const std::string text = kHead + Lines({"[p.utc]", "AddField0=sib", "[sib]", "FieldType=Byte",
                                          "Path=Root", "Label=Plot", "Value=1"});
  OpenAndSelect(text);
  RunEditor([this, text](TFormNewGFF& editor) {
    New(editor, "nf");
    ChooseType(editor, "Byte");
    Set(editor.edValue, "1");
    struct Case {
      std::string label;
      const char* path;
      const char* warning;
    };
    const Case refused[] = {
        {std::string(17, 'L'), "Root", "The field label can be at most 16 characters long!"},
        {"", "Root", "You must specify a field label!"},
        {"Plot", "Root",
         "Another field at the same tree-level has already been added with this label!"},
    };
    for (const Case& c : refused) {
      SCOPED_TRACE(c.warning);
      Set(editor.edLabel, c.label);
      Set(editor.edPath, c.path);
      services.messages.Expect(MessageKind::Warning, c.warning);
      editor.btnSave->click();
      EXPECT_EQ(text, File());
    }
    Set(editor.edLabel, "Plot");
    Set(editor.edPath, "Other");
    editor.btnSave->click();  // the same label on another path
    EXPECT_EQ(kHead + Lines({"[p.utc]", "AddField0=sib", "AddField1=nf", "[sib]", "FieldType=Byte",
                             "Path=Root", "Label=Plot", "Value=1", "[nf]", "FieldType=Byte",
                             "Path=Other", "Label=Plot", "Value=1"}),
              File());
    editor.btnSave->click();  // saving it again does not clash with itself
  });
}

TEST_F(NewGffFieldTest, AValueOutsideItsTypeIsRefused) {
  const std::string text = kHead + Lines({"[p.utc]", "Tag=1"});
  OpenAndSelect(text);
  RunEditor([this, text](TFormNewGFF& editor) {
    New(editor, "nf");
    ChooseType(editor, "Byte");
    Set(editor.edLabel, "B");
    Set(editor.edValue, "256");
    services.messages.Expect(MessageKind::Warning,
                             "Invalid value specified! It must be a number between 0 and 255!");
    editor.btnSave->click();
    ChooseType(editor, "ExoLocString");
    Set(editor.edLabel, "Name");
    Set(editor.edStrRef, "-2");
    services.messages.Expect(
        MessageKind::Warning,
        "Invalid StrRef specified! A StrRef must be a number between -1 and 4294967295!");
    editor.btnSave->click();
    editor.cbFieldType->setCurrentIndex(-1);
    services.messages.Expect(MessageKind::Warning, "No valid Field Type has been set!");
    editor.btnSave->click();
  });
  EXPECT_EQ(text, File());
}

TEST_F(NewGffFieldTest, TextsOutsideTheCodePageAreRefused) {
  OpenAndSelect(kHead);
  RunEditor([this](TFormNewGFF& editor) {
    New(editor, "nf");
    ChooseType(editor, "ExoString");
    Set(editor.edLabel, "Tag");
    editor.edValue->setText(QString::fromUtf8("\xC5\xBBo"));
    services.messages.Expect(MessageKind::Warning,
                             "The character \"\xC5\xBB\" (U+017B) cannot be stored in the "
                             "Windows-1252 code page of the files. Nothing was changed.");
    editor.btnSave->click();
  });
  EXPECT_EQ(kHead, File());
}

TEST_F(NewGffFieldTest, StructTokensAndLabels) {
  OpenAndSelect(kHead);
  RunEditor([this](TFormNewGFF& editor) {
    New(editor, "st");
    ChooseType(editor, "Struct");
    EXPECT_TRUE(editor.edTypeId->isEnabled());
    EXPECT_TRUE(editor.edMemToken->isEnabled());
    EXPECT_FALSE(editor.edValue->isEnabled());
    Set(editor.edTypeId, "ListIndex");
    Set(editor.edLabel, std::string(17, 'S'));
    services.messages.Expect(MessageKind::Warning,
                             "The Field Label can be at most 16 characters long!");
    editor.btnSave->click();
    EXPECT_EQ(kHead, File());

    Set(editor.edLabel, "");  // a Struct may have an empty label
    Set(editor.edMemToken, "2damemory1");
    Set(editor.edPathToken, "2DAMEMORY2abc");
    services.messages.Expect(MessageKind::Warning,
                             "Index Token field must either be blank or contain a 2DAMEMORY# "
                             "token! ListIndex token not saved!");
    editor.btnSave->click();
    EXPECT_EQ(kHead + Lines({"[p.utc]", "AddField0=st", "[st]", "FieldType=Struct",
                             "Path=", "Label=", "TypeId=ListIndex", "2DAMEMORY2abc=!FieldPath"}),
              File());

    Set(editor.edMemToken, "2DAMEMORY1");
    Set(editor.edPathToken, "2DAMEMORYx");
    services.messages.Expect(MessageKind::Warning,
                             "Path Token field must either be blank or contain a 2DAMEMORY# "
                             "token! FieldPath token not saved!");
    editor.btnSave->click();
    Set(editor.edPathToken, "2DAMEMORY2abc");
    editor.btnSave->click();  // the same path token again goes to the end
    EXPECT_EQ(kHead + Lines({"[p.utc]", "AddField0=st", "[st]", "FieldType=Struct",
                             "Path=", "Label=", "TypeId=ListIndex", "2DAMEMORY1=ListIndex",
                             "2DAMEMORY2abc=!FieldPath"}),
              File());
  });
}

TEST_F(NewGffFieldTest, LocalizedStringsReplaceTheOldLangKeys) {
  const std::string head = kHead + Lines({"[p.utc]", "AddField0=loc"});
  OpenAndSelect(head + Lines({"[loc]", "FieldType=ExoLocString", "Path=", "Label=Name", "StrRef=5",
                              "lang0=old", "Lang9x=gone", "language=kept", "lang5=gone too"}));
  RunEditor([this](TFormNewGFF& editor) {
    SelectRow(editor, 1);
    editor.btnEdit->click();
    EXPECT_EQ("5", editor.edStrRef->text().toStdString());
    EXPECT_EQ((Rows{{"0", "old"}, {"5", "gone too"}}), Localized(editor));
    SetLocalized(editor, {{"0", "Hi"}, {"", "Ho"}, {"3", ""}});
    editor.btnSave->click();
  });
  EXPECT_EQ(head + Lines({"[loc]", "FieldType=ExoLocString", "Path=", "Label=Name", "StrRef=5",
                          "language=kept", "lang0=Hi", "lang3="}),
            File());
}

TEST_F(NewGffFieldTest, LocalizedStringRows) {
  OpenAndSelect(kHead);
  RunEditor([this](TFormNewGFF& editor) {
    New(editor, "loc");
    ChooseType(editor, "ExoLocString");
    editor.btnAddStr->click();
    EXPECT_EQ(2, editor.gridLocStr->rowCount());
    EXPECT_EQ(1, editor.gridLocStr->currentRow());
    editor.btnDelStr->click();
    editor.btnDelStr->click();  // the only row left is emptied and kept
    EXPECT_EQ((Rows{{"", ""}}), Localized(editor));
  });
}

TEST_F(NewGffFieldTest, SubFieldsOfAStructAndOfAList) {
  OpenAndSelect(kHead);
  RunEditor([this](TFormNewGFF& outer) {
    New(outer, "st");
    ChooseType(outer, "Struct");
    Set(outer.edTypeId, "7");
    Set(outer.edLabel, "Sub");
    ExpectEditor([this, &outer](TFormNewGFF& nested) {
      EXPECT_EQ(outer.pos() + QPoint(10, 10), nested.pos());
      EXPECT_EQ("Add GFF Field [st / ]", nested.windowTitle().toStdString());
      New(nested, "st_byte");
      ChooseType(nested, "Byte");
      EXPECT_FALSE(nested.edPath->isEnabled()) << "a sub-field has no path";
      Set(nested.edLabel, "B");
      Set(nested.edValue, "1");
      nested.btnSave->click();
      New(nested, "st_struct");
      ChooseType(nested, "Struct");
      EXPECT_FALSE(nested.edMemToken->isEnabled());
      Set(nested.edTypeId, "ListIndex");
      services.messages.Expect(
          MessageKind::Warning,
          "Invalid Type ID specified! Only STRUCTs added to a LIST have a List Index.");
      nested.btnSave->click();
    });
    outer.btnAddField->click();
    EXPECT_TRUE(outer.findChildren<TFormNewGFF*>().empty()) << "the nested editor is freed";

    New(outer, "lst");
    ChooseType(outer, "List");
    Set(outer.edLabel, "Items");
    ExpectEditor([this](TFormNewGFF& nested) {
      New(nested, "elem");
      EXPECT_EQ("Struct", nested.cbFieldType->currentText().toStdString());
      EXPECT_FALSE(nested.cbFieldType->isEnabled());
      EXPECT_TRUE(nested.edMemToken->isEnabled());
      Set(nested.edTypeId, "listindex");
      Set(nested.edMemToken, "2DAMEMORY4");
      nested.btnSave->click();
    });
    outer.btnAddField->click();
  });
  EXPECT_EQ(kHead + Lines({"[p.utc]",
                           "AddField0=st",
                           "AddField1=lst",
                           "[st]",
                           "FieldType=Struct",
                           "Path=",
                           "Label=Sub",
                           "TypeId=7",
                           "AddField0=st_byte",
                           "[st_byte]",
                           "FieldType=Byte",
                           "Label=B",
                           "Value=1",
                           "[lst]",
                           "FieldType=List",
                           "Path=",
                           "Label=Items",
                           "AddField0=elem",
                           "[elem]",
                           "FieldType=Struct",
                           "Label=",
                           "TypeId=listindex",
                           "2DAMEMORY4=ListIndex"}),
            File());
}

TEST_F(NewGffFieldTest, AListWithoutLabelOpensNoNestedEditor) {
  OpenAndSelect(kHead);
  RunEditor([this](TFormNewGFF& editor) {
    New(editor, "lst");
    ChooseType(editor, "List");
    services.messages.Expect(MessageKind::Warning, "You must specify a field label!");
    editor.btnAddField->click();
  });
  EXPECT_EQ(kHead, File());
}

TEST_F(NewGffFieldTest, ANestedEditorIsFreedWhenAWriteInsideItFails) {
  ASSERT_TRUE(QDir(folder.path()).mkdir("mod"));
  OpenAndSelect(kHead, "p.utc", "mod/changes.ini");
  const std::string path = PathOf("mod/changes.ini");
  RunEditor([&](TFormNewGFF& outer) {
    New(outer, "st");
    ChooseType(outer, "Struct");
    Set(outer.edTypeId, "1");
    ExpectEditor([&](TFormNewGFF& nested) {
      New(nested, "b");
      ChooseType(nested, "Byte");
      Set(nested.edLabel, "B");
      Set(nested.edValue, "1");
      ASSERT_TRUE(QDir(folder.path() + "/mod").removeRecursively());
      services.messages.Expect(MessageKind::Error, "Unable to write to " + path);
      nested.btnSave->click();
    });
    outer.btnAddField->click();
    EXPECT_TRUE(outer.findChildren<TFormNewGFF*>().empty());
  });
}

// Decided: the editor starts fresh each time, so a save cannot write the modifier
// edited last into another file's section.
TEST_F(NewGffFieldTest, TheEditorStartsFreshEachTime) {
  const std::string text = kHead + Lines({"File1=q.utc", "[p.utc]", "AddField0=a", "[a]",
                                          "FieldType=Byte", "Path=", "Label=A", "Value=1"});
  OpenAndSelect(text);
  RunEditor([this](TFormNewGFF& editor) {
    SelectRow(editor, 1);
    editor.btnEdit->click();
    EXPECT_EQ("A", editor.edLabel->text().toStdString());
    EXPECT_EQ("Byte", editor.cbFieldType->currentText().toStdString());
  });
  OpenAndSelect(text, "q.utc");
  RunEditor([](TFormNewGFF& editor) {
    EXPECT_EQ("", editor.GetModifierSection());
    EXPECT_FALSE(editor.btnSave->isEnabled());
    EXPECT_FALSE(editor.cbFieldType->isEnabled());
    EXPECT_EQ(-1, editor.cbFieldType->currentIndex());
    EXPECT_EQ("", editor.edLabel->text().toStdString());
    EXPECT_TRUE(editor.edPathToken->isEnabled());
    EXPECT_EQ("Add GFF Field [q.utc / ]", editor.windowTitle().toStdString());
    EXPECT_EQ((Rows{{"", "", "", ""}}), FieldRows(editor));
  });
  EXPECT_EQ(text, File());
}

// Decided: deleting the modifier being edited resets the editor, so a save cannot
// re-create it without its sub-fields; the pane's list shows the delete, so a move
// re-creates nothing either.
TEST_F(NewGffFieldTest, DeletingTheEditedModifier) {
  const std::string text =
      kHead + Lines({"[p.utc]", "A=1", "AddField0=st", "B=2", "[st]", "FieldType=Struct",
                     "Path=", "Label=", "TypeId=0", "AddField0=inner", "[inner]", "FieldType=Byte",
                     "Label=X", "Value=1"});
  OpenAndSelect(text);
  RunEditor([this](TFormNewGFF& editor) {
    SelectRow(editor, 1);
    editor.btnEdit->click();
    EXPECT_EQ("st", editor.GetModifierSection());
    services.messages.Expect(MessageKind::Confirmation,
                             "Are you sure you wish to remove the selected Field modifier \"st\"?",
                             MessageAnswer::Yes);
    editor.btnDelete->click();
    EXPECT_EQ("", editor.GetModifierSection());
    EXPECT_FALSE(editor.btnSave->isEnabled());
    EXPECT_EQ((Rows{{"", "", "", ""}}), FieldRows(editor));
  });
  EXPECT_EQ(kHead + Lines({"[p.utc]", "A=1", "B=2"}), File());
  EXPECT_EQ((Rows{{"A", "1"}, {"B", "2"}}), PaneRows());
  form->gridGffMod->SetRow(1);
  form->btnMoveGffModUp->click();
  EXPECT_EQ(kHead + Lines({"[p.utc]", "B=2", "A=1"}), File());
}

TEST_F(NewGffFieldTest, DeletingAnotherModifierKeepsTheEdit) {
  const std::string text =
      kHead + Lines({"[p.utc]", "AddField0=a", "AddField1=b", "[a]", "FieldType=Byte", "Label=A",
                     "[b]", "FieldType=Byte", "Label=B"});
  OpenAndSelect(text);
  RunEditor([this](TFormNewGFF& editor) {
    SelectRow(editor, 1);
    editor.btnEdit->click();
    SelectRow(editor, 2);
    services.messages.Expect(MessageKind::Confirmation,
                             "Are you sure you wish to remove the selected Field modifier \"b\"?",
                             MessageAnswer::No);
    editor.btnDelete->click();
    services.messages.Expect(MessageKind::Confirmation,
                             "Are you sure you wish to remove the selected Field modifier \"b\"?",
                             MessageAnswer::Yes);
    editor.btnDelete->click();
    EXPECT_EQ("a", editor.GetModifierSection());
    EXPECT_TRUE(editor.btnSave->isEnabled());
  });
  EXPECT_EQ(kHead + Lines({"[p.utc]", "AddField0=a", "[a]", "FieldType=Byte", "Label=A"}), File());
}

TEST_F(NewGffFieldTest, LoadingWarnings) {
  const std::string text = kHead + Lines({"[p.utc]", "AddField0=bad", "[bad]", "FieldType=byte"});
  OpenAndSelect(text);
  RunEditor([this](TFormNewGFF& editor) {
    SelectRow(editor, 1);
    services.messages.Expect(
        MessageKind::Warning,
        "Invalid Field Type data \"byte\" encountered! Not a valid field type!");
    editor.btnEdit->click();
    services.messages.Expect(MessageKind::Warning, "No valid Field Type has been set!");
    editor.btnSave->click();
  });
  OpenAndSelect(kHead);
  RunEditor([this](TFormNewGFF& editor) {
    services.messages.Expect(MessageKind::Warning,
                             "Unable to load field type data! Something is probably wrong with "
                             "the data format in changes.ini...");
    editor.btnEdit->click();  // the empty row
    services.messages.Expect(
        MessageKind::Warning,
        "Error! I seem to have lost track of which section is being edited! Oh oh..");
    editor.btnSave->click();
  });
}

TEST_F(NewGffFieldTest, HelpButtonTogglesTheNewFieldPage) {
  OpenAndSelect(kHead);
  quennet::TInfoForm& help = *forms->InfoForm;
  form->btnInfo->click();
  RunEditor([&help](TFormNewGFF& editor) {
    editor.btnNewFieldInfo->click();
    EXPECT_EQ(help.txtGFFInfo, help.ShownPage());
    editor.btnNewFieldInfo->click();
    EXPECT_FALSE(help.isVisible());
  });
}

}  // namespace
}  // namespace quennet_testing
