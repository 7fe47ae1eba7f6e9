#include "talktable/ULanguageForm.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <array>

#include "talktable/UDialogParts.h"

namespace sorlith {

namespace {
struct Language {
  const char* item;
  const char* name;
};
constexpr std::array<Language, TLanguageForm::kLanguageCount> kLanguages{{
    {"English (0)", "English"},
    {"Français (1)", "French"},
    {"Deutsch (2)", "German"},
    {"Italiano (3)", "Italian"},
    {"Español (4)", "Spanish"},
    {"Polski (5)", "Polish"},
}};
}  // namespace

TLanguageForm::TLanguageForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TLanguageForm"));
  setWindowTitle(QStringLiteral("Set TLK file language ID"));

  edLanguage = new QComboBox(this);
  edLanguage->setObjectName(QStringLiteral("edLanguage"));
  edLanguage->setEditable(false);
  for (const Language& language : kLanguages) edLanguage->addItem(QString::fromUtf8(language.item));
  // Nothing is chosen until the first show picks the table's id.
  edLanguage->setCurrentIndex(-1);

  btnSave = MakeButton(this, "btnSave", "&Save");
  btnCancel = MakeButton(this, "btnCancel", "&Cancel");
  btnSave->setDefault(true);
  connect(btnSave, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      MakeLabel(this, "Label1", "Please specify what language id this TLK file uses:"));
  layout->addWidget(edLanguage);
  layout->addLayout(ButtonRow(btnSave, btnCancel));
  FixSize(this);
  setTabOrder(edLanguage, btnSave);
  setTabOrder(btnSave, btnCancel);
}

void TLanguageForm::SetPosition(int left, int top) { move(left, top); }

int TLanguageForm::SelectedIndex() const { return edLanguage->currentIndex(); }

std::string TLanguageForm::LanguageName(int id) {
  if (id < 0 || id >= kLanguageCount) return {};
  return kLanguages[static_cast<size_t>(id)].name;
}

void TLanguageForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;  // the window system's show, not the program's
  FormShow();
}

void TLanguageForm::FormShow() {
  // Another id names no item: the list keeps the choice of its last use.
  if (FLanguageId >= 0 && FLanguageId < kLanguageCount) {
    edLanguage->setCurrentIndex(static_cast<int>(FLanguageId));
  }
  edLanguage->setFocus(Qt::OtherFocusReason);
}

void TLanguageForm::keyPressEvent(QKeyEvent* event) {
  // This dialog has no Esc button: Esc does nothing.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace sorlith
