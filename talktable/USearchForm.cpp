#include "talktable/USearchForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Conversions.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/KeyFilter.h"
#include "platform/ui/Services.h"
#include "talktable/UDialogParts.h"

namespace sorlith {

TSearchForm::TSearchForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TSearchForm"));
  setWindowTitle(QStringLiteral("Search"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  CreateComponents();
  LayOut();
  ConnectHandlers();
}

void TSearchForm::CreateComponents() {
  bxSearch = Named(new QGroupBox(QStringLiteral(" Text "), this), "bxSearch");
  lblString = Named(new QLabel(QStringLiteral("Text string:"), bxSearch), "lblString");
  edString =
      WithToolTip(MakeEdit(bxSearch, "edString"),
                  "Text to search for among the TLK entries. The flags to the right determine how "
                  "this is used.");
  lblResref = Named(new QLabel(QStringLiteral("Sound Resref:"), bxSearch), "lblResref");
  edResref =
      WithToolTip(MakeEdit(bxSearch, "edResref"),
                  "Search for matching Resref (filename without suffix) of a sound associated with "
                  "a TLK entry. Max 16 characters.");
  edResref->setMaxLength(16);
  lblInterval1 = Named(new QLabel(QStringLiteral("StrRef interval:"), bxSearch), "lblInterval1");
  edStart = WithToolTip(MakeEdit(bxSearch, "edStart"), "Start entry of interval to search within.");
  edStart->setText(QStringLiteral("0"));
  edStart->setEnabled(false);
  lblInterval2 = Named(new QLabel(QStringLiteral("to"), bxSearch), "lblInterval2");
  edStop = WithToolTip(MakeEdit(bxSearch, "edStop"), "End entry of interval to search within.");
  edStop->setText(QStringLiteral("0"));
  edStop->setMaxLength(10);
  edStop->setEnabled(false);
  cdSearchAll = WithToolTip(MakeCheckBox(bxSearch, "cdSearchAll", "Search all entries"),
                            "Search in all entries in the currently loaded TLK file.");
  cdSearchAll->setChecked(true);
  cbSoundSearch = MakeCheckBox(bxSearch, "cbSoundSearch", "Match entries with any sound");
  btnSearch = Named(new QPushButton(QStringLiteral("&Search"), this), "btnSearch");
  btnSearch->setDefault(true);

  bxFlags = Named(new QGroupBox(QStringLiteral(" Filters "), this), "bxFlags");
  cbMatchCase =
      WithToolTip(MakeCheckBox(bxFlags, "cbMatchCase", "Text is case sensitive"),
                  "The entered text string to search for must match big and small letters "
                  "as well. \"A\" and \"a\" will not match if this is checked.");
  cbNegate =
      WithToolTip(MakeCheckBox(bxFlags, "cbNegate", "Negate text match"),
                  "If checked, search for all strings that DO NOT contain the specified text "
                  "string.");
  cbExactMatch =
      WithToolTip(MakeCheckBox(bxFlags, "cbExactMatch", "Exact text match"),
                  "If checked, only strings that EXACTLY matches the specified text string "
                  "will be searched for.");
  cbFlagNew = WithToolTip(MakeCheckBox(bxFlags, "cbFlagNew", "New entries only"),
                          "If checked, the search will only return entries that have been added to "
                          "the TLK file since it was opened.");
  cbFilterBlank = WithToolTip(MakeCheckBox(bxFlags, "cbFilterBlank", "Filter blank strings"),
                              "Entries with blank strings will not be listed in the search results "
                              "even if they otherwise match the criteria.");
  cbWordSearch = WithToolTip(MakeCheckBox(bxFlags, "cbWordSearch", "Match individual words"),
                             "If checked, it will search for each entered word individually rather "
                             "than the whole phrase.");
  btnCancel = Named(new QPushButton(QStringLiteral("&Cancel"), this), "btnCancel");
  btnReset = Named(new QPushButton(QStringLiteral("&Reset"), this), "btnReset");

  QWidget* order[] = {edString,      edResref,      edStart,      edStop,    cdSearchAll,
                      cbSoundSearch, btnSearch,     cbMatchCase,  cbNegate,  cbExactMatch,
                      cbFlagNew,     cbFilterBlank, cbWordSearch, btnCancel, btnReset};
  for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

void TSearchForm::LayOut() {
  auto* text = new QGridLayout(bxSearch);
  text->addWidget(lblString, 0, 0);
  text->addWidget(edString, 0, 1, 1, 3);
  text->addWidget(lblResref, 1, 0);
  text->addWidget(edResref, 1, 1, 1, 3);
  text->addWidget(lblInterval1, 2, 0);
  text->addWidget(edStart, 2, 1);
  text->addWidget(lblInterval2, 2, 2);
  text->addWidget(edStop, 2, 3);
  text->addWidget(cdSearchAll, 3, 1, 1, 3);
  text->addWidget(cbSoundSearch, 4, 1, 1, 3);

  auto* flags = new QVBoxLayout(bxFlags);
  for (QCheckBox* box :
       {cbMatchCase, cbNegate, cbExactMatch, cbFlagNew, cbFilterBlank, cbWordSearch})
    flags->addWidget(box);

  auto* boxes = new QHBoxLayout;
  boxes->addWidget(bxSearch, 1);
  boxes->addWidget(bxFlags);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnSearch);
  buttons->addStretch(1);
  buttons->addWidget(btnReset);
  buttons->addWidget(btnCancel);
  auto* form = new QVBoxLayout(this);
  form->addLayout(boxes);
  form->addLayout(buttons);
  form->setSizeConstraint(QLayout::SetFixedSize);
}

void TSearchForm::ConnectHandlers() {
  // toggled, not clicked: a box set by the program runs its handler as a click would.
  platform::Connect(cdSearchAll, &QCheckBox::toggled, this, [this](bool) { cdSearchAllClick(); });
  platform::Connect(cbWordSearch, &QCheckBox::toggled, this, [this](bool) { cbWordSearchClick(); });
  platform::Connect(cbSoundSearch, &QCheckBox::toggled, this,
                    [this](bool) { cbSoundSearchClick(); });
  platform::Connect(btnReset, &QPushButton::clicked, this, [this](bool) { btnResetClick(); });
  platform::Connect(btnSearch, &QPushButton::clicked, this, [this](bool) { btnSearchClick(); });
  platform::Connect(btnCancel, &QPushButton::clicked, this, [this](bool) { btnCancelClick(); });
  platform::InstallKeyFilter(*edStart,
                             [this](const QKeyEvent& key) { return edStartKeyPress(key); });
  platform::InstallKeyFilter(*edStop, [this](const QKeyEvent& key) { return edStopKeyPress(key); });
}

void TSearchForm::SetPosition(int left, int top) { move(left, top); }

TSearchCriteria TSearchForm::Criteria() const {
  TSearchCriteria criteria;
  criteria.Text = platform::FromQt(edString->text());
  criteria.SoundResRef = platform::FromQt(edResref->text());
  criteria.MatchCase = cbMatchCase->isChecked();
  criteria.Negate = cbNegate->isChecked();
  criteria.ExactMatch = cbExactMatch->isChecked();
  criteria.FlagNew = cbFlagNew->isChecked();
  criteria.FilterBlank = cbFilterBlank->isChecked();
  criteria.WordSearch = cbWordSearch->isChecked();
  criteria.SoundSearch = cbSoundSearch->isChecked();
  return criteria;
}

void TSearchForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;  // the window system's show, not the program's
  platform::RunGuarded([this] { FormShow(); });
}

void TSearchForm::keyPressEvent(QKeyEvent* event) {
  // Cancel has no Esc binding: Esc does nothing rather than close the dialog.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TSearchForm::SetWholeTableInterval() {
  edStart->setText(QStringLiteral("0"));
  edStop->setText(QString::number(std::max(FEntryCount - 1, 0)));
}

void TSearchForm::FormShow() {
  SetWholeTableInterval();
  edString->setFocus();
}

void TSearchForm::cdSearchAllClick() {
  const bool all = cdSearchAll->isChecked();
  if (all) SetWholeTableInterval();
  edStart->setEnabled(!all);
  edStop->setEnabled(!all);
}

void TSearchForm::cbWordSearchClick() {
  if (cbWordSearch->isChecked()) {
    cbExactMatch->setChecked(false);
    cbExactMatch->setEnabled(false);
  } else {
    cbExactMatch->setEnabled(true);
  }
}

void TSearchForm::cbSoundSearchClick() {
  if (cbSoundSearch->isChecked()) {
    edResref->clear();
    edResref->setEnabled(false);
  } else {
    edResref->setEnabled(true);
    edResref->setFocus();
  }
}

void TSearchForm::btnResetClick() {
  edResref->setEnabled(true);
  edString->clear();
  edResref->clear();
  for (QCheckBox* box :
       {cbMatchCase, cbNegate, cbExactMatch, cbFlagNew, cbFilterBlank, cbWordSearch, cbSoundSearch})
    box->setChecked(false);
  cbExactMatch->setEnabled(true);
  SetWholeTableInterval();
  cdSearchAll->setChecked(true);
  edStart->setEnabled(false);
  edStop->setEnabled(false);
  edString->setFocus();
}

void TSearchForm::btnSearchClick() { done(QDialog::Accepted); }
void TSearchForm::btnCancelClick() { done(QDialog::Rejected); }

bool TSearchForm::edStartKeyPress(const QKeyEvent& key) { return IntervalKeyPress(*edStart, key); }
bool TSearchForm::edStopKeyPress(const QKeyEvent& key) { return IntervalKeyPress(*edStop, key); }

bool TSearchForm::IntervalKeyPress(QLineEdit& field, const QKeyEvent& key) {
  switch (platform::ClassifyKey(key)) {
    case platform::TypedKey::Digit:
    case platform::TypedKey::Backspace:
    case platform::TypedKey::Copy:
    case platform::TypedKey::Cut:
    case platform::TypedKey::Undo:
    case platform::TypedKey::NoCharacter:
      return true;
    case platform::TypedKey::Paste:
      if (const std::string text = platform::ClipboardText(); platform::TryStrToInt(text)) {
        // Pasted here, so that the text checked is the text pasted.
        field.insert(platform::ToQt(text));
        return false;
      }
      break;
    case platform::TypedKey::Character:
    case platform::TypedKey::ControlCharacter:
      break;
  }
  platform::Beep();
  return false;
}

}  // namespace sorlith
