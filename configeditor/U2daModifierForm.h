// What the four 2DA modifier dialogs (AddRow, ChangeRow, CopyRow, AddColumn) share:
// the fields the opener sets, the key/value list grid2daMod with its store, edit and
// delete, the token list of the value box, the column labels read from the 2DA file
// beside changes.ini, the exclusive column and the keys-first rewrite. The dialogs
// have no Cancel and no undo: every change is written into changes.ini at once, so
// Esc is ignored and only user actions (never loading) write.
//
// A dialog creates its widgets, then binds the boxes the shared operations work on
// with BindBoxes, and implements LoadModifier.
#pragma once

#include <QColor>
#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "configeditor/rules/UModifierSections.h"
#include "formats/UKV_IniFile.h"
#include "platform/ui/Services.h"

class QComboBox;
class QKeyEvent;
class QShowEvent;

namespace platform {
class StringGrid;
}

namespace quennet {

class TDropDownCombo;

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
  // "ChangeRow", "CopyRow" or "AddColumn"; the AddRow dialog does not use it.
  const std::string& ModifierKind() const { return FModifierKind; }
  void SetModifierKind(std::string kind) { FModifierKind = std::move(kind); }
  // The FileName2da whose labels the column boxes hold; empty until a load succeeded.
  const std::string& LoadedColumnsFile() const { return FLoadedColumnsFile; }

  // Rebuilds the dialog from the section; the opener calls it before the modal show.
  virtual void LoadModifier() = 0;

  platform::StringGrid* grid2daMod;
  // The open dialog of the column-label load.
  platform::FileDialogRequest OpenDlg;

 protected:
  T2daModifierForm(QWidget* parent, const char* name);

  // The boxes of the shared operations; `columnBox` and `exclusiveBox` may be null
  // (AddColumn has neither, ChangeRow no exclusive box). Binds the user's edits of the
  // exclusive box to cbExclusiveLabelChange and the value box's drop-down to the
  // token list with `fixedTokens` first.
  void BindBoxes(QComboBox* columnBox, TDropDownCombo* valueBox, QComboBox* exclusiveBox,
                 std::vector<std::string> fixedTokens);
  // An editable drop-down that keeps what is typed: no inline completion, no items
  // added by Enter.
  static void MakeEditable(QComboBox& box, const char* name, const char* hint);

  // The list emptied to one row with its column widths, the value box emptied.
  void CommonLoadSteps();
  // Each key of `keys` whose value is not empty and that `hidden` does not reject fills
  // the next row from the top.
  void ListKeys(const std::vector<std::string>& keys,
                const std::function<bool(const std::string&)>& hidden);
  // The row whose key equals `key` exactly, else the empty last row, else a new row,
  // gets key and value and is selected; then the key is written.
  void StoreRow(const std::string& key, const std::string& value);
  // Store, edit and delete on the bound column and value boxes.
  void StoreColumnValue();
  void EditColumnValue();
  void DeleteColumnValue();

  // The 2DA file beside changes.ini, else (only when interactive) the one the user picks.
  std::optional<std::string> ColumnLabelsPath(bool interactive);
  // The column labels of the 2DA file at `path`, in column order (raises EDead).
  static std::vector<std::string> ReadColumnLabels(const std::string& path);
  // Fills the column box (`firstItem`, then the labels) and the exclusive box (an empty
  // item, then the labels) from the 2DA file; the exclusive box keeps its text. The
  // asking control and both boxes are disabled while the file is read.
  void LoadColumnLabels(bool interactive, QWidget* asker, const std::string& firstItem);
  // Column boxes back to the window colour, items and texts emptied.
  void ResetColumnBoxes();
  void SetLoadedColumnsFile(std::string fileName) { FLoadedColumnsFile = std::move(fileName); }
  // The exclusive box shows the stored "ExclusiveColumn".
  void ShowExclusiveColumn();
  // The user changed the exclusive box: a text is stored, an empty one removes the key.
  void cbExclusiveLabelChange(const std::string& text);

  // The keys-first rewrite of the dialog's section.
  void RewriteKeysFirst(const std::vector<std::string>& identifyingNames, const TKeyValues& keys);

  // The column boxes' colour while they hold labels read from a 2DA file.
  static void MarkLoadedLabels(QComboBox& box, bool loaded);
  // `text` in the box, selecting the first item equal to it (exact case) when
  // `selectItem` and there is one.
  static void SetComboText(QComboBox& box, const std::string& text, bool selectItem);

  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void cbValueDropDown();

  TCustomIniFile* FIniFile = nullptr;
  std::string FFileName2da;
  std::string FModifierSection;
  std::string FModifierKind;
  std::string FLoadedColumnsFile;
  QComboBox* FColumnBox = nullptr;
  TDropDownCombo* FValueBox = nullptr;
  QComboBox* FExclusiveBox = nullptr;
  std::vector<std::string> FFixedTokens;
};

// The colour of column boxes that hold labels read from a 2DA file.
QColor LoadedLabelsColour();

}  // namespace quennet
