#include "configeditor/UForms.h"

#include "configeditor/editors/UFormNewGFF.h"
#include "configeditor/editors/UNamespaceForm.h"
#include "configeditor/help/UInfoCopyForm.h"
#include "configeditor/help/UInfoForm.h"
#include "configeditor/mainwindow/UMainForm.h"
#include "configeditor/modifiers/UAddColForm.h"
#include "configeditor/modifiers/UChange2daRowForm.h"
#include "configeditor/modifiers/UCopy2daRowForm.h"
#include "configeditor/modifiers/UMod2DARowForm.h"
#include "configeditor/prompts/UEditTokenForm.h"
#include "configeditor/prompts/UFormFilename.h"
#include "configeditor/prompts/UMassAddForm.h"
#include "configeditor/prompts/UModLabelForm.h"

namespace quennet {

TForms::TForms() {
  MainForm = std::make_unique<TMainForm>(*this);
  QWidget* owner = MainForm.get();
  EditTokenForm = std::make_unique<TEditTokenForm>(owner);
  Mod2DARowForm = std::make_unique<TMod2DARowForm>(owner);
  NewLabelForm = std::make_unique<TNewLabelForm>(owner);
  Change2daForm = std::make_unique<TChange2daForm>(owner);
  Add2daColForm = std::make_unique<TAdd2daColForm>(owner);
  InfoForm = std::make_unique<TInfoForm>();
  InfoCopyForm = std::make_unique<TInfoCopyForm>();
  MassAddForm = std::make_unique<TMassAddForm>(owner);
  FormNewGFF = std::make_unique<TFormNewGFF>(owner, *this);
  FormFilename = std::make_unique<TFormFilename>(owner);
  NamespaceForm = std::make_unique<TNamespaceForm>(*NewLabelForm, owner);
  Copy2daForm = std::make_unique<TCopy2daForm>(owner);
  // Closing either line dialog hides the CopyRow help, which is created between them.
  Change2daForm->SetCopyHelp(*InfoCopyForm);
  Copy2daForm->SetCopyHelp(*InfoCopyForm);
  // Every form exists before the main window's first reset touches them.
  MainForm->Start();
}

// The dialogs go first: each leaves its parent's children as it is destroyed.
TForms::~TForms() {
  Copy2daForm.reset();
  NamespaceForm.reset();
  FormFilename.reset();
  FormNewGFF.reset();
  MassAddForm.reset();
  InfoCopyForm.reset();
  InfoForm.reset();
  Add2daColForm.reset();
  Change2daForm.reset();
  NewLabelForm.reset();
  Mod2DARowForm.reset();
  EditTokenForm.reset();
  MainForm.reset();
}

}  // namespace quennet
