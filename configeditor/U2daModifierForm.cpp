#include "configeditor/U2daModifierForm.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "configeditor/UConventions.h"
#include "configeditor/UDropDownCombo.h"
#include "configeditor/UHelpWindow.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/Services.h"
#include "platform/ui/StringGrid.h"

namespace quennet {

namespace {

constexpr int kKeyColumnWidth = 82;

class TypedCharFilter : public QObject {
 public:
  TypedCharFilter(QLineEdit* edit, std::function<TTypedCharVerdict(QChar)> judge)
      : QObject(edit), FEdit(edit), FJudge(std::move(judge)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (!TypesACharacter(key)) return false;
    bool handled = false;
    platform::RunGuarded([&] { handled = Judge(key.text().front()); });
    return handled;
  }

 private:
  // Keys that move, delete forward or belong to the dialog (Enter, Esc, Tab) pass.
  static bool TypesACharacter(const QKeyEvent& key) {
    switch (key.key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Escape:
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
      case Qt::Key_Delete:
        return false;
      default:
        return key.text().size() == 1;
    }
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

void T2daModifierForm::SetHint(QWidget* widget, const char* hint) {
  if (*hint == '\0') return;
  widget->setStatusTip(QString::fromLatin1(hint));
  widget->setToolTip(widget->statusTip());
}

QToolButton* T2daModifierForm::NewImageButton(QWidget* parent, const char* name, TButtonImage image,
                                              const char* hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setIcon(ButtonImage(image));
  SetHint(button, hint);
  return button;
}

QLabel* T2daModifierForm::NewHintedLabel(QWidget* parent, const char* text, const char* hint) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  SetHint(label, hint);
  return label;
}

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
  setObjectName(QString::fromLatin1(name));
  grid2daMod = new platform::StringGrid(this);
  grid2daMod->setObjectName(QStringLiteral("grid2daMod"));
  grid2daMod->SetColCount(2);
  grid2daMod->SetRowCount(1);
  grid2daMod->SetFixedRows(0);
  grid2daMod->SetFixedCols(0);
  grid2daMod->SetDefaultRowHeight(16);
  grid2daMod->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  OpenDlg.mode = platform::FileDialogRequest::Mode::Open;
  OpenDlg.pathMustExist = true;
  OpenDlg.fileMustExist = true;

  auto* sides = new QHBoxLayout(this);
  sides->addWidget(CreateInputSide(layout));
  sides->addWidget(CreateListSide(layout), 1);

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
  lblHeadline = new QLabel(QString::fromLatin1(layout.headline), side);
  lblHeadline->setObjectName(QStringLiteral("lblHeadline"));
  QFont large = lblHeadline->font();
  large.setPointSize(large.pointSize() + 6);
  large.setBold(true);
  lblHeadline->setFont(large);
  lblHeadline->setEnabled(false);

  FCloseButton = new QPushButton(QStringLiteral("&Close"), side);
  FCloseButton->setObjectName(QString::fromLatin1(layout.closeButtonName));
  FCloseButton->setDefault(true);
  SetHint(FCloseButton, layout.closeHint);

  FInputParts = new QVBoxLayout(side);
  FInputParts->setContentsMargins(0, 0, 0, 0);
  FInputParts->addWidget(lblHeadline);
  for (const TModifierDialogLayout::TLine& line : layout.explanation) {
    auto* label = new QLabel(QString::fromLatin1(line.text), side);
    if (line.highlighted) label->setStyleSheet(QStringLiteral("color: #800000"));
    FInputParts->addWidget(label);
  }
  FInputParts->addStretch(1);
  FInputParts->addWidget(FCloseButton, 0, Qt::AlignLeft);
  return side;
}

QWidget* T2daModifierForm::CreateListSide(const TModifierDialogLayout& layout) {
  auto* side = new QWidget(this);
  lblGridHeading = new QLabel(QString::fromLatin1(layout.gridHeading), side);
  lblGridHeading->setObjectName(QStringLiteral("lblGridHeading"));
  FDeleteButton = NewImageButton(side, layout.deleteButtonName, TButtonImage::Delete,
                                 "Delete selected column value.");
  btnAddToList = NewImageButton(side, "btnAddToList", TButtonImage::Add, layout.storeHint);
  btnEditColValue = NewImageButton(side, "btnEditColValue", TButtonImage::Edit, layout.editHint);
  grid2daMod->setParent(side);
  grid2daMod->setFixedSize(300, 330);

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
  list->addWidget(grid2daMod);
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
  setFixedSize(sizeHint().expandedTo(least));
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
  auto* group = new QGroupBox(QString::fromLatin1(names.title), parent);
  group->setObjectName(QString::fromLatin1(names.name));
  auto* columnBox = new QComboBox(group);
  MakeEditable(*columnBox, names.columnBox, names.columnHint);
  QToolButton* load = NewImageButton(group, names.loadButton, TButtonImage::Open, names.loadHint);
  auto* layout = new QGridLayout(group);
  layout->setColumnStretch(1, 1);
  layout->addWidget(NewHintedLabel(group, "Column:", names.columnHint), 0, 0);
  layout->addWidget(columnBox, 0, 1);
  layout->addWidget(load, 0, 2);
  return {group, columnBox, load, layout};
}

TDropDownCombo* T2daModifierForm::AddValueRow(const TColumnGroup& group, const char* valueHint) {
  auto* valueBox = new TDropDownCombo(group.group);
  MakeEditable(*valueBox, "cbColValue", valueHint);
  group.layout->addWidget(NewHintedLabel(group.group, "Value:", valueHint), 1, 0);
  group.layout->addWidget(valueBox, 1, 1);
  return valueBox;
}

void T2daModifierForm::MakeEditable(QComboBox& box, const char* name, const char* hint) {
  box.setObjectName(QString::fromLatin1(name));
  box.setEditable(true);
  // Enter must reach the default button, and what is typed must stay as typed.
  box.setInsertPolicy(QComboBox::NoInsert);
  box.setCompleter(nullptr);
  SetHint(&box, hint);
}

void T2daModifierForm::CommonLoadSteps() {
  grid2daMod->SetRows({{"", ""}});
  grid2daMod->SetColWidth(0, kKeyColumnWidth);
  grid2daMod->SetColWidth(1, grid2daMod->width() - kKeyColumnWidth - 6);
  FValueBox->clear();
  FValueBox->clearEditText();
}

void T2daModifierForm::ListKeys(const std::vector<std::string>& keys,
                                const std::function<bool(const std::string&)>& hidden) {
  TIniReadScope reading(*FIniFile);
  std::vector<std::vector<std::string>> rows;
  for (const std::string& key : keys) {
    if (hidden(key)) continue;
    std::string value = FIniFile->ReadString(FModifierSection, key, "");
    if (!value.empty()) rows.push_back({key, std::move(value)});
  }
  if (rows.empty()) rows.push_back({"", ""});
  grid2daMod->SetRows(std::move(rows));
  grid2daMod->SetRow(0);
}

bool T2daModifierForm::StoreRow(const std::string& key, const std::string& value) {
  if (std::optional<std::string> refusal = RefusedKeyName(key)) {
    ShowWarning(*refusal);
    return false;
  }
  int row = -1;
  for (int i = 0; i < grid2daMod->RowCount() && row < 0; ++i) {
    if (grid2daMod->Cell(0, i) == key) row = i;
  }
  if (row < 0) {
    row = grid2daMod->RowCount() - 1;
    if (!grid2daMod->Cell(0, row).empty()) {
      row = grid2daMod->RowCount();
      grid2daMod->SetRowCount(row + 1);
    }
    grid2daMod->SetCell(0, row, key);
  }
  grid2daMod->SetCell(1, row, value);
  grid2daMod->SetRow(row);
  FIniFile->WriteString(FModifierSection, key, value);
  return true;
}

void T2daModifierForm::StoreColumnValue(QComboBox& columnBox) {
  const std::string key = TextOf(columnBox);
  const std::string value = TextOf(*FValueBox);
  if (key.empty() || value.empty()) return;
  if (!StoreRow(key, value)) return;
  EmptyText(columnBox);
  EmptyText(*FValueBox);
  columnBox.setFocus();
}

void T2daModifierForm::EditColumnValue(QComboBox& columnBox) {
  const int row = grid2daMod->Row();
  SetComboText(columnBox, grid2daMod->Cell(0, row), true);
  SetComboText(*FValueBox, grid2daMod->Cell(1, row), false);
  FValueBox->setFocus();
}

void T2daModifierForm::DeleteColumnValue() {
  const int row = grid2daMod->Row();
  const std::string key = grid2daMod->Cell(0, row);
  if (key.empty()) return;
  FIniFile->DeleteKey(FModifierSection, key);
  // A delete removes the first line of the name: a second one comes to light in its row.
  if (std::string next = FIniFile->ReadString(FModifierSection, key, ""); !next.empty()) {
    grid2daMod->SetCell(1, row, next);
    return;
  }
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < grid2daMod->RowCount(); ++i) {
    if (i != row) rows.push_back({grid2daMod->Cell(0, i), grid2daMod->Cell(1, i)});
  }
  grid2daMod->SetRows(std::move(rows));
  grid2daMod->SetRow(std::min(row, grid2daMod->RowCount() - 1));
}

void T2daModifierForm::cbValueDropDown() {
  std::vector<std::string> tokens;
  {
    platform::HourglassCursor hourglass;
    tokens = ValueTokens(*FIniFile, FFixedTokens, FFileName2da, FModifierSection);
  }
  ReplaceComboItems(*FValueBox, tokens);
}

void T2daModifierForm::SetComboText(QComboBox& box, const std::string& text, bool selectItem) {
  const QString wanted = platform::ToQt(text);
  const int item =
      selectItem ? box.findText(wanted, Qt::MatchExactly | Qt::MatchCaseSensitive) : -1;
  box.setCurrentIndex(item);
  if (item < 0) box.setEditText(wanted);
}

std::string T2daModifierForm::TextOf(const QComboBox& box) {
  return platform::FromQt(box.currentText());
}

void T2daModifierForm::EmptyText(QComboBox& box) {
  box.setCurrentIndex(-1);
  box.clearEditText();
}

void T2daModifierForm::ShowWarning(const std::string& text) {
  platform::ShowMessage(this, {platform::MessageKind::Warning, "Warning", text, {}});
}

void T2daModifierForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnDesktop(*this);
}

// No Cancel: every change is already written, so Esc does not close the dialog.
void T2daModifierForm::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace quennet
