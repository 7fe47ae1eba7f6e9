// What the four 2DA modifier dialogs (AddRow, ChangeRow, CopyRow, AddColumn) share:
// the fields the opener sets, the standard layout (headline, explanation, the
// dialog's input parts, Close; the key/value list grid2daMod with its store, edit and
// delete buttons), the token list of the value box and the keys-first rewrite. The
// dialogs have no Cancel and no undo: every change is written into changes.ini at
// once, so Esc is ignored and only user actions (never loading) write.
//
// A dialog passes its texts and component names to the base, adds its input parts
// (AddInputPart), binds its value box (BindValueBox), finishes with FixSize and
// implements LoadModifier and the store and edit of its boxes. Width the dialog has
// beyond what its contents need goes to the input parts' boxes. Dialogs that show
// column labels read from the 2DA file own a part for them (U2daColumnLabels.h).
#pragma once

#include <QDialog>
#include <QSize>
#include <functional>
#include <string>
#include <vector>

#include "configeditor/rules/UModifierSections.h"
#include "formats/UKV_IniFile.h"
#include "platform/ui/Services.h"

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QToolButton;
class QVBoxLayout;

namespace platform {
class StringGrid;
}

namespace quennet {

class TDropDownCombo;

// The texts and component names in which the four dialogs' standard layouts differ.
struct TModifierDialogLayout {
  struct TLine {
    const char* text;
    bool highlighted = false;  // shown in maroon
  };
  const char* headline;
  std::vector<TLine> explanation;  // an empty text is a gap
  const char* gridHeading;
  const char* storeHint;
  const char* editHint;
  const char* deleteButtonName;
  const char* closeButtonName;
  const char* closeHint;  // empty: none
};

// The explanation of the AddRow, ChangeRow and CopyRow dialogs, which differ in its
// fifth and sixth lines.
std::vector<TModifierDialogLayout::TLine> RowExplanation(const char* fifthLine,
                                                         const char* sixthLine);

// The texts the opener sets (the group captions matter to ChangeRow and CopyRow only).
struct TOpenerTexts {
  const char* identifierCaption;
  const char* changeValueCaption;
  const char* headline;
  const char* gridHeading;
};

// The names and hints of a group with "Column:", an editable box and a label-load
// button (the exclusive-column group, the column/value group).
struct TColumnGroupNames {
  const char* title;
  const char* name;
  const char* columnBox;
  const char* columnHint;
  const char* loadButton;
  const char* loadHint;
};
struct TColumnGroup {
  QGroupBox* group = nullptr;
  QComboBox* columnBox = nullptr;
  QToolButton* loadButton = nullptr;
  QGridLayout* layout = nullptr;
};

class T2daModifierForm : public QDialog {
 public:
  // The open changes.ini; owned by the main window.
  TCustomIniFile* IniFile() const { return FIniFile; }
  void SetIniFile(TCustomIniFile* iniFile) { FIniFile = iniFile; }
  // The 2DA file's name as "[2DAList]" lists it.
  const std::string& FileName2da() const { return FFileName2da; }
  void SetFileName2da(std::string fileName) { FFileName2da = std::move(fileName); }
  // The modifier's label: the section the dialog edits.
  const std::string& ModifierSection() const { return FModifierSection; }
  void SetModifierSection(std::string section) { FModifierSection = std::move(section); }
  // "AddRow", "ChangeRow", "CopyRow" or "AddColumn".
  const std::string& ModifierKind() const { return FModifierKind; }
  void SetModifierKind(std::string kind) { FModifierKind = std::move(kind); }
  virtual void SetOpenerTexts(const TOpenerTexts& texts);

  // Rebuilds the dialog from the section; the opener calls it before the modal show.
  virtual void LoadModifier() = 0;
  // Column labels read from a 2DA file are dropped with the file they came from (the
  // main window's reset: another changes.ini may lie in another folder).
  virtual void ForgetColumnLabels() {}

  QLabel* lblHeadline = nullptr;
  QLabel* lblGridHeading = nullptr;
  QToolButton* btnAddToList = nullptr;
  QToolButton* btnEditColValue = nullptr;
  platform::StringGrid* grid2daMod = nullptr;
  // The open dialog of the column-label loads.
  platform::FileDialogRequest OpenDlg;

 protected:
  T2daModifierForm(QWidget* parent, const char* name, const TModifierDialogLayout& layout);

  QToolButton& DeleteButton() const { return *FDeleteButton; }
  QPushButton& CloseButton() const { return *FCloseButton; }
  // Adds a group (or any widget) to the input side, below the earlier ones.
  void AddInputPart(QWidget* part);
  // The dialog's fixed size: what its contents need, at least `least`; the opener's
  // texts fit it again.
  void FixSize(QSize least);

  // The value box, whose drop-down builds the token list with `fixedTokens` first.
  void BindValueBox(TDropDownCombo& valueBox, std::vector<std::string> fixedTokens);
  static TColumnGroup NewColumnGroup(QWidget* parent, const TColumnGroupNames& names);
  // "Value:" with the value box cbColValue below the column box.
  static TDropDownCombo* AddValueRow(const TColumnGroup& group, const char* valueHint);

  // The store and edit of the dialog's own boxes.
  virtual void btnAddToListClick() = 0;
  virtual void btnEditColValueClick() = 0;
  // AddRow closes at once; the others store their settings first.
  virtual void btnCloseClick() { accept(); }

  // The list emptied to one row with its column widths, the value box emptied.
  void CommonLoadSteps();
  // Each key of `keys` whose value is not empty and that `hidden` does not reject fills
  // the next row from the top.
  void ListKeys(const std::vector<std::string>& keys,
                const std::function<bool(const std::string&)>& hidden);
  // The row whose key equals `key` exactly, else the empty last row, else a new row,
  // gets key and value and is selected; then the key is written. A key changes.ini
  // cannot hold is refused with a warning: false, nothing stored.
  bool StoreRow(const std::string& key, const std::string& value);
  // Store and edit on `columnBox` and the value box (AddRow, ChangeRow, CopyRow).
  void StoreColumnValue(QComboBox& columnBox);
  void EditColumnValue(QComboBox& columnBox);
  void DeleteColumnValue();
  TDropDownCombo& ValueBox() const { return *FValueBox; }

  // A warning box with OK, centred on the screen.
  void ShowWarning(const std::string& text);

  void showEvent(QShowEvent* event) override;

 private:
  QWidget* CreateInputSide(const TModifierDialogLayout& layout);
  QWidget* CreateListSide(const TModifierDialogLayout& layout);
  void cbValueDropDown();
  // The key column as wide as its keys need, at least the designed width.
  void FitKeyColumn();

  TCustomIniFile* FIniFile = nullptr;
  std::string FFileName2da;
  std::string FModifierSection;
  std::string FModifierKind;
  QVBoxLayout* FInputParts = nullptr;
  QToolButton* FDeleteButton = nullptr;
  QPushButton* FCloseButton = nullptr;
  QSize FLeastSize;
  TDropDownCombo* FValueBox = nullptr;
  std::vector<std::string> FFixedTokens;
};

// How a filter judges a character typed into an edit box.
struct TTypedCharVerdict {
  enum class Action { Pass, Refuse, Replace } action = Action::Pass;
  QChar replacement;
};
// Judges each character typed into `edit` (keys that type no character pass); a
// refused character is dropped with the system beep, a replaced one typed instead.
void FilterTypedCharacters(QLineEdit* edit, std::function<TTypedCharVerdict(QChar)> judge);

}  // namespace quennet
