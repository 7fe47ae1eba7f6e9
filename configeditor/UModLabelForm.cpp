#include "configeditor/UModLabelForm.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "configeditor/UHelpWindow.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

const char* const kExplanation[] = {
    "Please specify a label for this new modifier. This can be any alphanumerical string you want,",
    "as long as it doesn't contain any spaces. You should probably name it something that will ",
    "help you remember what it's used for.",
};

QPushButton* NewButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

TNewLabelForm::TNewLabelForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TNewLabelForm"));
  setWindowTitle(QStringLiteral("Specify modifier label"));
  lblTitle = new QLabel(QStringLiteral("Add new modifier"), this);
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  QFont large = lblTitle->font();
  large.setPointSize(large.pointSize() + 6);
  large.setBold(true);
  lblTitle->setFont(large);

  auto* important = new QLabel(
      QStringLiteral("<b><font color=\"#800000\">IMPORTANT! </font></b>The modifier label must "
                     "be unique, no two modifiers in the same config file<br>may have the same "
                     "label!"),
      this);
  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  edModLabel = new QLineEdit(this);
  edModLabel->setObjectName(QStringLiteral("edModLabel"));
  btnSave = NewButton(this, "btnSave", "&Save");
  btnSave->setDefault(true);
  btnCancel = NewButton(this, "btnCancel", "&Cancel");

  auto* entry = new QHBoxLayout;
  entry->addWidget(new QLabel(QStringLiteral("Specify modifier label:"), this));
  entry->addWidget(edModLabel, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnSave);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblTitle);
  for (const char* line : kExplanation)
    layout->addWidget(new QLabel(QString::fromLatin1(line), this));
  layout->addWidget(important);
  layout->addWidget(rule);
  layout->addLayout(entry);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());

  // A label the code page cannot store is refused by name; the prompt stays open.
  platform::Connect(btnSave, &QPushButton::clicked, this, [this] {
    if (platform::StorableText(this, edModLabel->text())) accept();
  });
  platform::Connect(btnCancel, &QPushButton::clicked, this, [this] { reject(); });
}

std::string TNewLabelForm::GetLabel() const { return platform::FromQt(edModLabel->text()); }

void TNewLabelForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  platform::RunGuarded([this] { FormShow(); });
}

void TNewLabelForm::FormShow() {
  CentreOnDesktop(*this);
  edModLabel->setFocus();
}

}  // namespace quennet
