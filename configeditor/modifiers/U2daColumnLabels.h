// The column-label part of a 2DA modifier dialog: the boxes that offer the column
// labels of the modifier's 2DA file and the name of the file they came from. AddRow
// and CopyRow own a TExclusiveColumnLabels (column box with a first item, the
// exclusive-column box, a silent load when they open); ChangeRow owns a
// TRequestedColumnLabels (column box only, loaded by its button); AddColumn has none.
#pragma once

#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QWidget;

namespace quennet {

class T2daModifierForm;

class TColumnLabelPart {
 public:
  // The FileName2da whose labels the boxes hold; empty while they hold none.
  const std::string& LoadedColumnsFile() const { return FLoadedColumnsFile; }
  // Unless the boxes hold the labels of the dialog's 2DA file, they are emptied and
  // turned white and the remembered file is dropped. True when they were reset.
  bool ResetForAnotherFile();
  // The boxes emptied and white, the remembered file dropped.
  void Forget();

 protected:
  TColumnLabelPart(T2daModifierForm& dialog, std::vector<QComboBox*> boxes);
  // The 2DA file beside changes.ini, else (only when interactive) the one the user picks.
  std::optional<std::string> Path(bool interactive);
  void RememberLoadedFile();

  T2daModifierForm& FDialog;

 private:
  std::vector<QComboBox*> FBoxes;
  std::string FLoadedColumnsFile;
};

// AddRow and CopyRow: the column box begins with `firstItem`, and the exclusive box
// (an empty item, then the labels) shows and writes "ExclusiveColumn".
class TExclusiveColumnLabels : public TColumnLabelPart {
 public:
  TExclusiveColumnLabels(T2daModifierForm& dialog, QComboBox& columnBox, QComboBox& exclusiveBox,
                         std::string firstItem);

  // Fills both boxes from the 2DA file; the exclusive box keeps its text. The asking
  // control and both boxes are disabled while the file is read. Raises the reader's
  // failure, the boxes as they were.
  void Load(bool interactive, QWidget* asker);
  // The load when the dialog opens: a file beside changes.ini that cannot be read is
  // reported in an error box naming it, the boxes stay white, and the dialog opens.
  void LoadSilently();
  // The exclusive box shows the stored "ExclusiveColumn".
  void ShowExclusiveColumn();

 private:
  void LoadFrom(const std::string& path, QWidget* asker);
  // The user changed the exclusive box: a text is stored, an empty one removes the key.
  void cbExclusiveLabelChange(const std::string& text);

  QComboBox& FColumnBox;
  QComboBox& FExclusiveBox;
  std::string FFirstItem;
};

// ChangeRow: only the column box, loaded when the user asks.
class TRequestedColumnLabels : public TColumnLabelPart {
 public:
  TRequestedColumnLabels(T2daModifierForm& dialog, QComboBox& columnBox);
  // Fills the column box with the labels alone; nothing is disabled meanwhile, and the
  // remembered cursor comes back.
  void Load();

 private:
  QComboBox& FColumnBox;
};

// The column labels of the 2DA file at `path`, in column order (raises EDead).
std::vector<std::string> ReadColumnLabels(const std::string& path);

}  // namespace quennet
