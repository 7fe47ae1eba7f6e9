// The talk-table token pane: the StrRef tokens of "[TLKList]", the entries of an
// append.tlk listed through the talk-table model, the preview of an entry, and adding,
// editing and deleting tokens. The append.tlk listing lives only in its grid.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "configeditor/UForms.h"
#include "configeditor/mainwindow/UMainForm.h"
#include "configeditor/parts/UConventions.h"
#include "configeditor/parts/UIcons.h"
#include "configeditor/parts/UPaneParts.h"
#include "configeditor/prompts/UEditTokenForm.h"
#include "configeditor/rules/UTlkTokens.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/KeyValueList.h"
#include "platform/ui/StringGrid.h"
#include "talktable/UTLKFile.h"

namespace quennet {

namespace {

constexpr int kTokenKeyWidth = 72;
constexpr int kStrRefWidth = 48;

}  // namespace

QWidget* TMainForm::CreateTlkPane() {
  QWidget* pane = NewPane(this, "paneTLK");
  gridTokens = NewKeyValueGrid(pane, "gridTokens",
                               "StrRef tokens that may be used to insert a dialog.tlk StrRef into "
                               "2DA, GFF, SSF and NSS files.");
  gridTlk = NewKeyValueGrid(pane, "gridTlk",
                            "Doubleclick to add a token for the selected append.tlk entry.");
  txtEntry = new QPlainTextEdit(pane);
  txtEntry->setObjectName(QStringLiteral("txtEntry"));
  txtEntry->setReadOnly(true);
  txtEntry->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  platform::SetHint(txtEntry, "Preview of the text in the selected append.tlk entry.");
  txtEntry->setMaximumHeight(110);
  btnOpenTlk = NewImageButton(pane, "btnOpenTlk", TButtonImage::Open,
                              "Load entries from an append.tlk file...");
  btnAddStrRef =
      NewImageButton(pane, "btnAddStrRef", TButtonImage::Add,
                     "Add the append.tlk entry selected in the right list as a StrRef Token.");
  btnAddStrRef->setEnabled(false);
  btnDelToken = NewImageButton(pane, "btnDelToken", TButtonImage::Delete,
                               "Delete the selected StrRef token from the list");

  auto* buttons = new QVBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOpenTlk);
  buttons->addWidget(btnAddStrRef);
  buttons->addWidget(btnDelToken);
  buttons->addStretch(1);
  auto* lists = new QGridLayout;
  lists->addWidget(new QLabel(QStringLiteral("Entry tokens:"), pane), 0, 0);
  lists->addWidget(new QLabel(QStringLiteral("Entries in append.tlk:"), pane), 0, 2);
  lists->addWidget(gridTokens, 1, 0);
  lists->addLayout(buttons, 1, 1);
  lists->addWidget(gridTlk, 1, 2);
  lists->setColumnStretch(0, 2);
  lists->setColumnStretch(2, 3);
  auto* column = new QVBoxLayout(pane);
  column->addWidget(platform::MakeHeading(pane, "lblTlkHeading", "Custom TLK entries"));
  column->addLayout(lists, 1);
  column->addWidget(txtEntry);
  ConnectTlkPane();
  return pane;
}

void TMainForm::ConnectTlkPane() {
  platform::Connect(btnOpenTlk, &QToolButton::clicked, this, [this] { btnOpenTlkClick(); });
  platform::Connect(btnAddStrRef, &QToolButton::clicked, this, [this] { btnAddStrRefClick(); });
  platform::Connect(btnDelToken, &QToolButton::clicked, this, [this] { btnDelTokenClick(); });
  platform::Connect(gridTlk, &QAbstractItemView::clicked, this, [this] { gridTlkClick(); });
  platform::Connect(gridTlk, &QAbstractItemView::doubleClicked, this,
                    [this] { btnAddStrRefClick(); });
  OnCtrlShiftKeyRelease(gridTlk, Qt::Key_Left, [this] { btnAddStrRefClick(); });
  platform::Connect(gridTokens, &QAbstractItemView::doubleClicked, this,
                    [this] { gridTokensDblClick(); });
}

void TMainForm::ResetTlkPane() {
  gridTlk->SetRows({{"", ""}});
  gridTokens->SetRows({{"", ""}});
}

void TMainForm::FillTokenGrid() {
  TIniReadScope reading(*ChangesIni);
  platform::KeyValueRows rows;
  for (const std::string& key : ChangesIni->ReadSection(kTlkList)) {
    rows.emplace_back(key, ChangesIni->ReadString(kTlkList, key, ""));
  }
  if (rows.empty()) return;
  TokenCounter = static_cast<int32_t>(rows.size());
  platform::KeyValueList(*gridTokens).ShowRows(rows);
}

void TMainForm::LoadTlkTokens() {
  CurrentSection = kTlkList;
  // An empty section leaves the list and the counter as they are.
  FillTokenGrid();
  SetKeyValueColumns(*gridTokens, kTokenKeyWidth);
  SetKeyValueColumns(*gridTlk, kStrRefWidth);
  txtEntry->clear();
}

void TMainForm::btnOpenTlkClick() {
  if (!FileOpen) return;
  OpenBox.mode = platform::FileDialogRequest::Mode::Open;
  OpenBox.filter = "TLK file (*.tlk)|*.tlk";
  OpenBox.defaultExtension = "tlk";
  OpenBox.fileName = "append.tlk";
  OpenBox.title = "Select an append.tlk file to use...";
  std::vector<std::string> chosen = platform::RunFileDialog(this, OpenBox);
  if (chosen.empty()) return;
  gridTlk->SetRows({{"", ""}});
  SetKeyValueColumns(*gridTlk, kStrRefWidth);
  platform::HourglassCursor hourglass;
  const TTLKFileHandler table(chosen.front());
  std::vector<std::vector<std::string>> rows;
  rows.reserve(table.EntryCount());
  for (const TStringData* node = table.EntryList().FirstNode();
       node != nullptr && rows.size() < table.EntryCount(); node = node->GetNextNode()) {
    const TTLKString& entry = *node->GetEntry();
    rows.push_back({std::to_string(entry.GetStrRef()), std::string(entry.GetText())});
  }
  if (rows.empty()) return;
  gridTlk->SetRows(std::move(rows));
  btnAddStrRef->setEnabled(true);
}

void TMainForm::gridTlkClick() {
  const int row = gridTlk->Row();
  txtEntry->setPlainText(platform::ToQt(std::string(gridTlk->Cell(0, row)) + ":\n" +
                                        std::string(gridTlk->Cell(1, row))));
}

void TMainForm::btnAddStrRefClick() {
  if (!FileOpen) return;
  const std::string strRef(gridTlk->Cell(0, gridTlk->Row()));
  // Without a listing there is no entry to make a token of.
  if (strRef.empty()) return;
  platform::KeyValueList(*gridTokens).Store(AddToken(*ChangesIni, TokenCounter, strRef), strRef);
}

void TMainForm::btnDelTokenClick() {
  if (!FileOpen) return;
  const std::string key(gridTokens->Cell(0, gridTokens->Row()));
  if (key.empty()) return;
  ChangesIni->DeleteKey(kTlkList, key);
  platform::KeyValueList(*gridTokens).RemoveSelected();
}

void TMainForm::gridTokensDblClick() {
  if (!FileOpen) return;
  const int row = gridTokens->Row();
  const std::string oldKey(gridTokens->Cell(0, row));
  TEditTokenForm& prompt = *FForms.EditTokenForm;
  prompt.edToken->setText(platform::ToQt(oldKey.size() > 6 ? oldKey.substr(6) : std::string()));
  prompt.edStrRef->setText(platform::ToQt(gridTokens->Cell(1, row)));
  if (platform::RunModal(prompt) != QDialog::Accepted) return;
  const std::string number = platform::FromQt(prompt.edToken->text());
  const std::string strRef = platform::FromQt(prompt.edStrRef->text());
  switch (EditToken(*ChangesIni, oldKey, number, strRef)) {
    case TTokenEdit::Ignored:
      return;
    case TTokenEdit::Duplicate:
      ShowWarning("String Token must be \"StrRef\" followed by a unique numeric value.");
      return;
    case TTokenEdit::Stored:
      gridTokens->SetCell(0, row, kTokenPrefix + number);
      gridTokens->SetCell(1, row, strRef);
      gridTokens->SetRow(row);
      return;
  }
}

}  // namespace quennet
