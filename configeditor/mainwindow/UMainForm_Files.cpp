// The file lists of the main window: adding and removing 2DA, GFF and soundset files.
// One add and one remove command serve the three categories; the rules of what is
// written live in rules/UFileCategories.
#include <QTreeWidgetItem>

#include "configeditor/UForms.h"
#include "configeditor/mainwindow/UCategoryTree.h"
#include "configeditor/mainwindow/UMainForm.h"
#include "configeditor/parts/UConventions.h"
#include "configeditor/parts/UPaneParts.h"
#include "configeditor/prompts/UFormFilename.h"
#include "platform/ui/Codec.h"

namespace quennet {

void TMainForm::Add2dafile1Click() { AddListedFileClick(TFileKind::TwoDa); }
void TMainForm::Delete2dafile1Click() { RemoveListedFileClick(TFileKind::TwoDa); }
void TMainForm::AddGFFFile1Click() { AddListedFileClick(TFileKind::Gff); }
void TMainForm::DeleteGFFfile1Click() { RemoveListedFileClick(TFileKind::Gff); }
void TMainForm::AddSSFFile1Click() { AddListedFileClick(TFileKind::Ssf); }
void TMainForm::DeleteSSFFile1Click() { RemoveListedFileClick(TFileKind::Ssf); }

void TMainForm::AddListedFileClick(TFileKind kind) {
  if (!FileOpen) return;
  const TFileCategoryWidgets& category = WidgetsOf(kind);
  const std::optional<std::string> name = FForms.FormFilename->Ask(category.category->typeWord);
  if (!name) return;
  if (std::optional<std::string> refusal = AddListedFile(*ChangesIni, *category.category, *name)) {
    ShowWarning(*refusal);
    return;
  }
  CurrentSection = *name;
  tree->setCurrentItem(AddFileNode(category.node, *name));
}

void TMainForm::RemoveListedFileClick(TFileKind kind) {
  if (!FileOpen) return;
  const TFileCategoryWidgets& category = WidgetsOf(kind);
  QTreeWidgetItem* selected = tree->currentItem();
  if (selected == nullptr || selected->parent() != category.node) {
    ShowWarning(category.category->noFileSelectedWarning);
    return;
  }
  const std::string name = platform::FromQt(selected->text(0));
  if (name.empty()) return;
  if (AskYesNo(std::string(kConfirmRemovalPrefix) + " remove " + name +
               " from the modifier list?") != platform::MessageAnswer::Yes) {
    return;
  }
  // The file first: a failed write leaves the tree showing what the file still lists.
  RemoveListedFile(*ChangesIni, *category.category, name);
  // Every node of that name goes, as the file no longer lists it at all.
  tree->setCurrentItem(nullptr);
  for (int i = category.node->childCount() - 1; i >= 0; --i) {
    if (platform::FromQt(category.node->child(i)->text(0)) == name)
      delete category.node->takeChild(i);
  }
  tree->setCurrentItem(category.node);
}

}  // namespace quennet
