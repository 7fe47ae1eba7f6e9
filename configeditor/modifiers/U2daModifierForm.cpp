#include "configeditor/modifiers/U2daModifierForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "configeditor/parts/UConventions.h"
#include "configeditor/parts/UDropDownCombo.h"
#include "configeditor/parts/UPaneParts.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/KeyFilter.h"
#include "platform/ui/KeyValueList.h"
#include "platform/ui/Services.h"
#include "platform/ui/StringGrid.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

class TypedCharFilter : public QObject {
 public:
  TypedCharFilter(QLineEdit* edit, std::function<TTypedCharVerdict(QChar)> judge)
      : QObject(edit), FEdit(edit), FJudge(std::move(judge)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    bool handled = false;
    if (event->type() == QEvent::KeyPress) {
      const auto& key = static_cast<const QKeyEvent&>(*event);
      if (!TypesACharacter(key)) return false;
      platform::RunGuarded([&] { handled = Judge(key.text().front()); });
    } else if (event->type() == QEvent::InputMethod) {
      auto& input = static_cast<QInputMethodEvent&>(*event);
      platform::RunGuarded([&] { handled = JudgeCommit(input); });
    } else {
      return QObject::eventFilter(watched, event);
    }
    return handled;
  }

 private:
  // The program's one key classifier decides what types a character; keys that move,
  // delete forward or belong to the dialog (Enter, Esc, Tab) pass.
  static bool TypesACharacter(const QKeyEvent& key) {
    return platform::ClassifyKey(key) != platform::TypedKey::NoCharacter && !key.text().isEmpty();
  }
  // Input-method text (dead keys, compose) is judged character by character: any
  // refused character drops the whole commit.
  bool JudgeCommit(QInputMethodEvent& input) {
    const QString commit = input.commitString();
    if (commit.isEmpty()) return false;
    QString typed;
    for (QChar c : commit) {
      const TTypedCharVerdict verdict = FJudge(c);
      if (verdict.action == TTypedCharVerdict::Action::Refuse) {
        platform::Beep();
        return true;
      }
      typed += verdict.action == TTypedCharVerdict::Action::Replace ? verdict.replacement : c;
    }
    if (typed == commit) return false;
    FEdit->insert(typed);
    return true;
  }
  bool Judge(QChar typed) {
    const TTypedCharVerdict verdict = FJudge(typed);
    switch (verdict.action) {
      case TTypedCharVerdict::Action::Pass:
        return false;
      case TTypedCharVerdict::Action::Refuse:
        platform::Beep();
        return true;
      case TTypedCharVerdict::Action::Replace:
        FEdit->insert(QString(verdict.replacement));
        return true;
    }
    return false;
  }

  QLineEdit* FEdit;
  std::function<TTypedCharVerdict(QChar)> FJudge;
};

}  // namespace

std::vector<TModifierDialogLayout::TLine> RowExplanation(const char* fifthLine,
                                                         const char* sixthLine) {
  return {{"If you set the Column label to 2DAMEMORY followed"},
          {"by a memory slot number, and then set the Value to"},
          {"the label of a column, the value in that column in the 2da"},
          {"will be stored. It can then be assigned to another column in"},
          {fifthLine},
          {sixthLine},
          {""},
          {"2DAMEMORY slots with a value previously assigned to "},
          {"them show up in the Token List of the Value box below."}};
}

void FilterTypedCharacters(QLineEdit* edit, std::function<TTypedCharVerdict(QChar)> judge) {
  edit->installEventFilter(new TypedCharFilter(edit, std::move(judge)));
}

T2daModifierForm::T2daModifierForm(QWidget* parent, const char* name,
                                   const TModifierDialogLayout& layout)
    : QDialog(parent) {
  platform::Named(this, name);
  OpenDlg.mode = platform::FileDialogRequest::Mode::Open;
  OpenDlg.pathMustExist = true;
  OpenDlg.fileMustExist = true;

  auto* sides = new QHBoxLayout(this);
  sides->addWidget(CreateInputSide(layout), 1);
  sides->addWidget(CreateListSide(layout));
  platform::IgnoreEscape(this);

  platform::Connect(btnAddToList, &QToolButton::clicked, this, [this] { btnAddToListClick(); });
  platform::Connect(btnEditColValue, &QToolButton::clicked, this,
                    [this] { btnEditColValueClick(); });
  platform::Connect(FDeleteButton, &QToolButton::clicked, this, [this] { DeleteColumnValue(); });
  platform::Connect(grid2daMod, &QAbstractItemView::doubleClicked, this,
                    [this] { btnEditColValueClick(); });
  OnCtrlShiftKeyRelease(grid2daMod, Qt::Key_Left, [this] { btnEditColValueClick(); });
  platform::Connect(FCloseButton, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

QWidget* T2daModifierForm::CreateInputSide(const TModifierDialogLayout& layout) {
  auto* side = new QWidget(this);
  lblHeadline = platform::MakeHeading(side, "lblHeadline", layout.headline);
  lblHeadline->setEnabled(false);
  FCloseButton = NewTextButton(side, layout.closeButtonName, "&Close", layout.closeHint);
  FCloseButton->setDefault(true);

  FInputParts = new QVBoxLayout(side);
  FInputParts->setContentsMargins(0, 0, 0, 0);
  FInputParts->addWidget(lblHeadline);
  for (const TModifierDialogLayout::TLine& line : layout.explanation) {
    QLabel* label = platform::MakeLabel(side, "", line.text);
    if (line.highlighted) platform::SetDarkRed(label);
    FInputParts->addWidget(label);
  }
  FInputParts->addStretch(1);
  FInputParts->addWidget(FCloseButton, 0, Qt::AlignLeft);
  return side;
}

QWidget* T2daModifierForm::CreateListSide(const TModifierDialogLayout& layout) {
  auto* side = new QWidget(this);
  lblGridHeading = platform::MakeLabel(side, "lblGridHeading", layout.gridHeading);
  FDeleteButton = NewImageButton(side, layout.deleteButtonName, TButtonImage::Delete,
                                 "Delete selected column value.");
  btnAddToList = NewImageButton(side, "btnAddToList", TButtonImage::Add, layout.storeHint);
  btnEditColValue = NewImageButton(side, "btnEditColValue", TButtonImage::Edit, layout.editHint);
  grid2daMod = NewKeyValueGrid(side, "grid2daMod", "");
  grid2daMod->setMinimumSize(300, 330);

  auto* heading = new QHBoxLayout;
  heading->addWidget(lblGridHeading, 1);
  heading->addWidget(FDeleteButton);
  auto* buttons = new QVBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnAddToList);
  buttons->addWidget(btnEditColValue);
  buttons->addStretch(1);
  auto* list = new QVBoxLayout;
  list->addLayout(heading);
  list->addWidget(grid2daMod, 1);
  auto* layoutOfSide = new QHBoxLayout(side);
  layoutOfSide->setContentsMargins(0, 0, 0, 0);
  layoutOfSide->addLayout(buttons);
  layoutOfSide->addLayout(list, 1);
  return side;
}

void T2daModifierForm::AddInputPart(QWidget* part) {
  // Below the earlier parts, above the stretch and Close.
  FInputParts->insertWidget(FInputParts->count() - 2, part);
}

void T2daModifierForm::FixSize(QSize least) {
  FLeastSize = least;
  layout()->activate();
  platform::FixSizeAtLeast(this, least.width(), least.height());
}

void T2daModifierForm::SetOpenerTexts(const TOpenerTexts& texts) {
  lblHeadline->setText(QString::fromLatin1(texts.headline));
  lblGridHeading->setText(QString::fromLatin1(texts.gridHeading));
  FixSize(FLeastSize);
}

void T2daModifierForm::BindValueBox(TDropDownCombo& valueBox,
                                    std::vector<std::string> fixedTokens) {
  FValueBox = &valueBox;
  FFixedTokens = std::move(fixedTokens);
  FValueBox->SetOnDropDown([this] { cbValueDropDown(); });
}

TColumnGroup T2daModifierForm::NewColumnGroup(QWidget* parent, const TColumnGroupNames& names) {
  auto* group =
      platform::Named(new QGroupBox(QString::fromLatin1(names.title), parent), names.name);
  QComboBox* columnBox = NewEditableCombo(group, names.columnBox, names.columnHint);
  QToolButton* load = NewImageButton(group, names.loadButton, TButtonImage::Open, names.loadHint);
  auto* layout = new QGridLayout(group);
  layout->setColumnStretch(1, 1);
  layout->addWidget(platform::Hinted(platform::MakeLabel(group, "", "Column:"), names.columnHint),
                    0, 0);
  layout->addWidget(columnBox, 0, 1);
  layout->addWidget(load, 0, 2);
  return {group, columnBox, load, layout};
}

TDropDownCombo* T2daModifierForm::AddValueRow(const TColumnGroup& group, const char* valueHint) {
  auto* valueBox = NewEditableCombo<TDropDownCombo>(group.group, "cbColValue", valueHint);
  group.layout->addWidget(
      platform::Hinted(platform::MakeLabel(group.group, "", "Value:"), valueHint), 1, 0);
  group.layout->addWidget(valueBox, 1, 1);
  return valueBox;
}

void T2daModifierForm::CommonLoadSteps() {
  platform::KeyValueList(*grid2daMod).ShowRows({});
  FitKeyColumn();
  FValueBox->clear();
  FValueBox->clearEditText();
}

void T2daModifierForm::ListKeys(const std::vector<std::string>& keys,
                                const std::function<bool(const std::string&)>& hidden) {
  TIniReadScope reading(*FIniFile);
  platform::KeyValueRows rows;
  for (const std::string& key : keys) {
    if (hidden(key)) continue;
    std::string value = FIniFile->ReadString(FModifierSection, key, "");
    if (!value.empty()) rows.emplace_back(key, std::move(value));
  }
  platform::KeyValueList(*grid2daMod).ShowRows(rows);
  grid2daMod->SetRow(0);
  FitKeyColumn();
}

void T2daModifierForm::FitKeyColumn() { SetKeyValueColumns(*grid2daMod, kKeyColumnWidth); }

bool T2daModifierForm::StoreRow(const std::string& key, const std::string& value) {
  if (std::optional<std::string> refusal = RefusedKeyName(key)) {
    ShowWarning(*refusal);
    return false;
  }
  platform::KeyValueList(*grid2daMod).Store(key, value);
  FitKeyColumn();
  FIniFile->WriteString(FModifierSection, key, value);
  return true;
}

void T2daModifierForm::StoreColumnValue(QComboBox& columnBox) {
  const std::optional<std::string> key = platform::StorableText(this, columnBox.currentText());
  if (!key) return;
  const std::optional<std::string> value = platform::StorableText(this, FValueBox->currentText());
  if (!value || key->empty() || value->empty()) return;
  if (!StoreRow(*key, *value)) return;
  EmptyComboText(columnBox);
  EmptyComboText(*FValueBox);
  columnBox.setFocus();
}

void T2daModifierForm::EditColumnValue(QComboBox& columnBox) {
  const int row = grid2daMod->Row();
  SetComboText(columnBox, std::string(grid2daMod->Cell(0, row)), true);
  SetComboText(*FValueBox, std::string(grid2daMod->Cell(1, row)), false);
  FValueBox->setFocus();
}

void T2daModifierForm::DeleteColumnValue() {
  const int row = grid2daMod->Row();
  const std::string key(grid2daMod->Cell(0, row));
  if (key.empty()) return;
  FIniFile->DeleteKey(FModifierSection, key);
  // A delete removes the first line of the name: a second one comes to light in its row.
  if (std::string next = FIniFile->ReadString(FModifierSection, key, ""); !next.empty()) {
    grid2daMod->SetCell(1, row, next);
    return;
  }
  platform::KeyValueList(*grid2daMod).RemoveSelected();
}

void T2daModifierForm::cbValueDropDown() {
  std::vector<std::string> tokens;
  {
    platform::HourglassCursor hourglass;
    tokens = ValueTokens(*FIniFile, FFixedTokens, FFileName2da, FModifierSection);
  }
  ReplaceComboItems(*FValueBox, tokens);
}

void T2daModifierForm::ShowWarning(const std::string& text) {
  platform::ShowMessage(this, {platform::MessageKind::Warning, "Warning", text, {}});
}

void T2daModifierForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  platform::CentreOnDesktop(*this);
}

}  // namespace quennet
