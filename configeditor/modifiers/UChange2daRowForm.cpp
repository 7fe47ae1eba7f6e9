#include "configeditor/modifiers/UChange2daRowForm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QToolButton>

#include "platform/ui/Application.h"

namespace quennet {

namespace {

constexpr TRowIdentifierHints kHints = {
    "Load column labels from 2da file into dropdown list of the Column box.", "", "", "", "", ""};

}  // namespace

TChange2daForm::TChange2daForm(QWidget* parent)
    : T2daRowIdentifierForm(parent, "TChange2daForm", {"RowIndex", "RowLabel", "LabelIndex"},
                            kHints, {}) {
  AddInputPart(boxIdentifier);
  AddInputPart(boxChangeValue);
  FLabels = std::make_unique<TRequestedColumnLabels>(*this, *cbColLabel);
  platform::Connect(btnLoadCols, &QToolButton::clicked, this, [this] { btnLoadColsClick(); });
  FixSize(QSize(640, 400));
}

TChange2daForm::~TChange2daForm() = default;

void TChange2daForm::ForgetColumnLabels() { FLabels->Forget(); }

// ChangeRow never reads the 2DA file when it opens.
void TChange2daForm::LoadColumnBoxes() { FLabels->ResetForAnotherFile(); }

void TChange2daForm::btnLoadColsClick() { FLabels->Load(); }

}  // namespace quennet
