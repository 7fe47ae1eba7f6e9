// What the ChangeRow and CopyRow dialogs share: the line identifier that stands first
// in their sections (boxIdentifier with cbIdxType, edIdx and btnSetIdx, written by
// "&Set" and "&Close"), the column/value group boxChangeValue with its store and edit,
// and the load: list and boxes reset, the dialog's column boxes, the identifier (an
// empty section or one that does not begin with an identifier gets "RowIndex" = "0"),
// then the other keys. Closing hides the CopyRow help window.
#pragma once

#include <string>
#include <vector>

#include "configeditor/modifiers/U2daModifierForm.h"

class QComboBox;
class QGroupBox;
class QHideEvent;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace quennet {

class TInfoCopyForm;

// The hints in which the two dialogs differ (an empty text: none).
struct TRowIdentifierHints {
  const char* loadColumns;
  const char* column;
  const char* value;
  const char* identifierType;
  const char* identifierValue;
  const char* setIdentifier;
};

class T2daRowIdentifierForm : public T2daModifierForm {
 public:
  void LoadModifier() final;
  void SetOpenerTexts(const TOpenerTexts& texts) override;
  // The help window that closing the dialog hides; set once all forms exist.
  void SetCopyHelp(TInfoCopyForm& help) { FCopyHelp = &help; }

  // Puts `key` = `value` first into the section (one of the identifier names, value
  // not empty) and shows it.
  void SetRowIdentifier(const std::string& key, const std::string& value);

  QGroupBox* boxIdentifier = nullptr;
  QComboBox* cbIdxType = nullptr;
  QLineEdit* edIdx = nullptr;
  QPushButton* btnSetIdx = nullptr;
  QGroupBox* boxChangeValue = nullptr;
  QComboBox* cbColLabel = nullptr;
  QToolButton* btnLoadCols = nullptr;
  TDropDownCombo* cbColValue = nullptr;
  QToolButton* btnDeleteKey = nullptr;
  QPushButton* btnClose = nullptr;

 protected:
  // `identifierNames`: the types cbIdxType offers, "RowIndex" first.
  T2daRowIdentifierForm(QWidget* parent, const char* name, std::vector<std::string> identifierNames,
                        const TRowIdentifierHints& hints, std::vector<std::string> fixedTokens);

  // Load step 2: the dialog's column boxes for FileName2da.
  virtual void LoadColumnBoxes() = 0;
  // Keys after the identifier that the list does not show.
  virtual bool IsHiddenKey(const std::string& key) const = 0;
  TInfoCopyForm* CopyHelp() const { return FCopyHelp; }

  void btnAddToListClick() override;
  void btnEditColValueClick() override;
  void btnCloseClick() override;
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateIdentifierGroup(const TRowIdentifierHints& hints);
  void CreateChangeValueGroup(const TRowIdentifierHints& hints);
  void ShowIdentifier(const std::string& name, const std::string& value);
  void btnSetIdxClick();
  // Set and Close: the chosen type with the typed value, when both are there.
  // False when the typed value was refused (the warning has been shown).
  bool StoreIdentifier();
  TTypedCharVerdict edIdxKeyPress(QChar typed) const;

  std::vector<std::string> FIdentifierNames;
  TInfoCopyForm* FCopyHelp = nullptr;
};

}  // namespace quennet
