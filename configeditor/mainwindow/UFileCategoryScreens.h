// The screen half of the three listed-file categories (2DA, GFF, soundset files): the
// tree node, the "&Modifiers" item, the tree pop-up's items, the background hints and
// the remove command's warning. What a rule needs of a category is in
// rules/UFileCategories.h.
#pragma once

#include <array>

#include "configeditor/rules/UFileCategories.h"

namespace quennet {

struct TFileCategoryScreen {
  TFileKind kind;
  // The category's fixed tree node: its text and position.
  const char* nodeText;
  int nodePosition;
  // "&Modifiers" item: component name, text, Ctrl + this letter.
  const char* menuItemName;
  const char* menuItemText;
  char shortcutLetter;
  // The tree pop-up's add and delete items.
  const char* addItemName;
  const char* addItemText;
  const char* deleteItemName;
  const char* deleteItemText;
  // Background hints: the category has file nodes / has none.
  const char* selectFileHint;
  const char* addFilesHint;
  // The remove command without a file node of the category selected.
  const char* noFileSelectedWarning;
};

// In the order of kFileCategories.
inline constexpr std::array<TFileCategoryScreen, 3> kFileCategoryScreens = {{
    {TFileKind::TwoDa, "2DA Files", 3, "mnuAdd2da", "Add 2&DA File...", 'D', "Add2dafile1",
     "Add 2da file...", "Delete2dafile1", "Delete 2da file...",
     "Select a 2DA file to edit in the list to the left.",
     "Use the Modifiers menu to add new 2DA files..",
     "No 2da file has been selected in the list to be deleted"},
    {TFileKind::Gff, "GFF Files", 4, "mnuAddGff", "Add &GFF File...", 'G', "AddGFFFile1",
     "Add GFF File...", "DeleteGFFfile1", "Delete GFF file...",
     "Select a GFF file to edit in the list to the left.",
     "Use the Modifiers menu to add new GFF files..",
     "No GFF format file has been selected in the list to be deleted"},
    {TFileKind::Ssf, "Soundset Files", 6, "AddSSFFile2", "Add &SSF File...", 'U', "AddSSFFile1",
     "Add SSF File...", "DeleteSSFFile1", "Delete SSF File...",
     "Select a SSF file to edit in the list to the left.",
     "Use the Modifiers menu to add new SSF files..",
     "No SSF format file has been selected in the list to be deleted"},
}};

constexpr const TFileCategoryScreen& ScreenOf(TFileKind kind) {
  for (const TFileCategoryScreen& screen : kFileCategoryScreens) {
    if (screen.kind == kind) return screen;
  }
  return kFileCategoryScreens.front();
}

}  // namespace quennet
