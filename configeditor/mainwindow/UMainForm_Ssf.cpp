// The soundset side of the main window: the pane of one soundset file (paneSSF), whose
// section in changes.ini gives a new StrRef or token per sound entry, and the kind of
// the file's "[SSFList]" key. What the commands decide about the file lives in
// rules/USsfSections.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "configeditor/mainwindow/UMainForm.h"
#include "configeditor/mainwindow/UMainForm_Panes_p.h"
#include "configeditor/parts/UConventions.h"
#include "configeditor/parts/UDropDownCombo.h"
#include "configeditor/parts/UPaneParts.h"
#include "configeditor/rules/USsfSections.h"
#include "configeditor/rules/UValueTokens.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/KeyValueList.h"
#include "platform/ui/StringGrid.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

using namespace pane_parts;

constexpr int kEntryColumnWidth = 200;

}  // namespace

QWidget* TMainForm::CreateSsfPane() {
  QWidget* pane = NewPane(this, "paneSSF");
  QLabel* title = platform::MakeHeading(pane, "lblSSFTitle", "SSF Soundset files");
  lblSSFHeading = platform::MakeLabel(pane, "lblSSFHeading", "Modified sound entries in file: ");
  gridSSF =
      NewKeyValueGrid(pane, "gridSSF", "Doubleclick to edit the selected modifier in the list.");
  gridSSF->SetRowCount(2);
  gridSSF->SetFixedRows(1);
  SetKeyValueColumns(*gridSSF, kEntryColumnWidth);

  btnDelSSF = NewImageButton(pane, "btnDelSSF", TButtonImage::Delete,
                             "Delete selected Soundset entry modifier.");
  btnEditSSF =
      NewImageButton(pane, "btnEditSSF", TButtonImage::Edit, "Modify selected entry modifier.");
  btnAddSSF =
      NewImageButton(pane, "btnAddSSF", TButtonImage::Add, "Add this entry modifier to the list.");
  for (QToolButton* button : {btnDelSSF, btnEditSSF, btnAddSSF})
    button->setFocusPolicy(Qt::NoFocus);

  auto* side = new QVBoxLayout;
  side->addWidget(btnDelSSF);
  side->addStretch(1);
  auto* list = new QHBoxLayout;
  list->addWidget(gridSSF, 1);
  list->addLayout(side);
  auto* listButtons = new QHBoxLayout;
  listButtons->addStretch(1);
  listButtons->addWidget(btnEditSSF);
  listButtons->addWidget(btnAddSSF);

  auto* column = new QVBoxLayout(pane);
  column->addWidget(title);
  column->addWidget(lblSSFHeading);
  column->addLayout(list, 1);
  column->addLayout(listButtons);
  column->addWidget(CreateSsfInputs(pane));
  setTabOrder(gridSSF, cbSSFValue);
  setTabOrder(cbSSFValue, cbSSFEntry);
  setTabOrder(cbSSFEntry, chSSFReplace);
  ConnectSsfPane();
  return pane;
}

QWidget* TMainForm::CreateSsfInputs(QWidget* pane) {
  auto* inputs = new QWidget(pane);
  auto* group = new QGroupBox(QStringLiteral(" Modify field value"), inputs);
  group->setObjectName(QStringLiteral("grpSSFValue"));
  cbSSFEntry = new QComboBox(group);
  cbSSFEntry->setObjectName(QStringLiteral("cbSSFEntry"));
  cbSSFEntry->setEditable(false);
  for (const char* name : kSsfEntryNames) cbSSFEntry->addItem(QString::fromLatin1(name));
  cbSSFEntry->setCurrentIndex(-1);
  cbSSFEntry->setMinimumWidth(160);
  platform::SetHint(cbSSFEntry, "The sound entry slot that should be modified.");
  cbSSFValue =
      NewTokenCombo(group, "cbSSFValue", "StrRef into dialog.tlk where the new sound is defined.");
  auto* fields = new QGridLayout(group);
  fields->addWidget(platform::MakeLabel(group, "lblSSFEntry", "SSF Entry:"), 0, 0);
  fields->addWidget(cbSSFEntry, 0, 1);
  fields->addWidget(platform::MakeLabel(group, "lblSSFValue", "StrRef:"), 1, 0);
  fields->addWidget(cbSSFValue, 1, 1);
  fields->setColumnStretch(1, 1);

  chSSFReplace =
      new QCheckBox(QStringLiteral("Replace file if it already exists in Override"), inputs);
  chSSFReplace->setObjectName(QStringLiteral("chSSFReplace"));
  platform::SetHint(
      chSSFReplace,
      "If this file already exists in the override folder, overwrite it with a copy from "
      "orvandeldata before modifying it.");

  auto* column = new QVBoxLayout(inputs);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(group);
  column->addWidget(chSSFReplace);
  return inputs;
}

void TMainForm::ConnectSsfPane() {
  platform::Connect(btnAddSSF, &QToolButton::clicked, this, [this] { btnAddSSFClick(); });
  OnCtrlShiftKeyRelease(cbSSFValue, Qt::Key_Up, [this] { btnAddSSFClick(); });
  platform::Connect(btnEditSSF, &QToolButton::clicked, this, [this] { btnEditSSFClick(); });
  platform::Connect(gridSSF, &QAbstractItemView::doubleClicked, this,
                    [this] { btnEditSSFClick(); });
  new TKeepRowOnCtrlShiftDown(gridSSF);
  OnCtrlShiftKeyRelease(gridSSF, Qt::Key_Down, [this] { btnEditSSFClick(); });
  platform::Connect(btnDelSSF, &QToolButton::clicked, this, [this] { btnDelSSFClick(); });
  // Runs also when the program sets the box: showing a file whose key has the box's
  // kind then writes nothing.
  platform::Connect(chSSFReplace, &QCheckBox::toggled, this, [this] { chSSFReplaceClick(); });
  cbSSFValue->SetOnDropDown([this] { cbSSFValueDropDown(); });
}

void TMainForm::ShowSsfFile(const std::string& fileName) {
  TIniReadScope scope(*ChangesIni);
  CurrentSection = fileName;
  lblSSFHeading->setText(platform::ToQt("Modified sound entries in file " + fileName + ": "));
  LoadSsfGrid();
  cbSSFEntry->setCurrentIndex(-1);
  cbSSFValue->clear();
  cbSSFValue->clearEditText();
  if (std::optional<bool> replace = SsfListKind(*ChangesIni, fileName))
    chSSFReplace->setChecked(*replace);
}

void TMainForm::LoadSsfGrid() {
  TIniReadScope scope(*ChangesIni);
  gridSSF->SetCell(0, 0, "Sound Entry");
  gridSSF->SetCell(1, 0, "StrRef in dialog.tlk");
  platform::KeyValueRows rows;
  if (ChangesIni->SectionExists(kSsfListSection) && ChangesIni->SectionExists(CurrentSection)) {
    for (const std::string& key : ChangesIni->ReadSection(CurrentSection))
      rows.emplace_back(key, ChangesIni->ReadString(CurrentSection, key, ""));
  }
  platform::KeyValueList(*gridSSF).ShowRows(rows);
  SetKeyValueColumns(*gridSSF, kEntryColumnWidth);
}

void TMainForm::btnAddSSFClick() {
  if (!FileOpen) return;
  const std::string entry = platform::FromQt(cbSSFEntry->currentText());
  const std::optional<std::string> typedValue =
      platform::StorableText(this, cbSSFValue->currentText());
  if (!typedValue) return;
  const std::string& value = *typedValue;
  if (entry.empty() || value.empty()) return;
  ChangesIni->WriteString(CurrentSection, entry, value);
  LoadSsfGrid();
  gridSSF->setFocus();
  for (int row = gridSSF->FixedRows(); row < gridSSF->RowCount(); ++row) {
    if (gridSSF->Cell(0, row) == entry) {
      gridSSF->SetRow(row);
      break;
    }
  }
  cbSSFEntry->setCurrentIndex(-1);
  cbSSFValue->clearEditText();
}

void TMainForm::btnEditSSFClick() {
  if (!FileOpen) return;
  const int row = gridSSF->Row();
  const std::string entry(gridSSF->Cell(0, row));
  int match = -1;
  for (int i = 0; i < cbSSFEntry->count() && match < 0; ++i) {
    if (platform::SameTextAscii(platform::FromQt(cbSSFEntry->itemText(i)), entry)) match = i;
  }
  cbSSFEntry->setCurrentIndex(match);
  cbSSFValue->setEditText(platform::ToQt(gridSSF->Cell(1, row)));
}

void TMainForm::btnDelSSFClick() {
  if (!FileOpen) return;
  const std::string entry(gridSSF->Cell(0, gridSSF->Row()));
  if (entry.empty()) return;
  if (AskYesNo("Are you sure you wish to delete the changes to the entry \"" + entry +
               "\"  for the SSF file \"" + CurrentSection + "\"?") !=
      platform::MessageAnswer::Yes) {
    return;
  }
  ChangesIni->DeleteKey(CurrentSection, entry);
  LoadSsfGrid();
}

void TMainForm::chSSFReplaceClick() {
  if (!FileOpen) return;
  const bool replace = chSSFReplace->isChecked();
  try {
    SwitchSsfKind(*ChangesIni, CurrentSection, replace);
  } catch (...) {
    // The box goes on showing the kind the file still has.
    const QSignalBlocker quiet(chSSFReplace);
    chSSFReplace->setChecked(!replace);
    throw;
  }
}

void TMainForm::cbSSFValueDropDown() {
  if (!FileOpen) return;
  platform::HourglassCursor hourglass;
  ReplaceComboItems(*cbSSFValue, SsfValueTokens(*ChangesIni));
}

}  // namespace quennet
