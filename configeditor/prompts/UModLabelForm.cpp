#include "configeditor/prompts/UModLabelForm.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Services.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

const char* const kExplanation[] = {
    "Please specify a label for this new modifier. This can be any alphanumerical string you want,",
    "as long as it doesn't contain any spaces. You should probably name it something that will ",
    "help you remember what it's used for.",
};

}  // namespace

TNewLabelForm::TNewLabelForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TNewLabelForm"));
  setWindowTitle(QStringLiteral("Specify modifier label"));
  lblTitle = platform::MakeHeading(this, "lblTitle", "Add new modifier");

  auto* important = new QLabel(
      QStringLiteral("<b><font color=\"#800000\">IMPORTANT! </font></b>The modifier label must "
                     "be unique, no two modifiers in the same config file<br>may have the same "
                     "label!"),
      this);
  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  edModLabel = platform::Named(new QLineEdit(this), "edModLabel");
  btnSave = platform::MakeButton(this, "btnSave", "&Save");
  btnSave->setDefault(true);
  btnCancel = platform::MakeButton(this, "btnCancel", "&Cancel");

  auto* entry = new QHBoxLayout;
  entry->addWidget(new QLabel(QStringLiteral("Specify modifier label:"), this));
  entry->addWidget(edModLabel, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblTitle);
  for (const char* line : kExplanation)
    layout->addWidget(new QLabel(QString::fromLatin1(line), this));
  layout->addWidget(important);
  layout->addWidget(rule);
  layout->addLayout(entry);
  layout->addLayout(platform::ButtonRow(btnSave, btnCancel));
  setFixedSize(sizeHint());

  // A label the code page cannot store is refused by name; the prompt stays open.
  platform::Connect(btnSave, &QPushButton::clicked, this, [this] {
    if (platform::StorableText(this, edModLabel->text())) accept();
  });
  platform::Connect(btnCancel, &QPushButton::clicked, this, [this] { reject(); });
}

std::string TNewLabelForm::GetLabel() const { return platform::FromQt(edModLabel->text()); }

std::optional<std::string> TNewLabelForm::Ask(const std::string& title,
                                              const std::string& caption) {
  edModLabel->clear();
  lblTitle->setText(platform::ToQt(title));
  setWindowTitle(platform::ToQt(caption));
  if (platform::RunModal(*this) != QDialog::Accepted) return std::nullopt;
  return GetLabel();
}

void TNewLabelForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  platform::RunGuarded([this] { FormShow(); });
}

void TNewLabelForm::FormShow() {
  platform::CentreOnDesktop(*this);
  edModLabel->setFocus();
}

}  // namespace quennet
