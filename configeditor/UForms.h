// The forms of the configuration editor, created once in their fixed order and kept
// until exit. The dialogs are children of the main window (so that they run modal to
// it); the two help windows have no parent, which keeps them usable while a dialog
// runs. Members are destroyed in reverse order, the main window last.
#pragma once

#include <memory>

namespace quennet {

class TMainForm;
class TEditTokenForm;
class TMod2DARowForm;
class TNewLabelForm;
class TChange2daForm;
class TAdd2daColForm;
class TInfoForm;
class TInfoCopyForm;
class TMassAddForm;
class TFormNewGFF;
class TFormFilename;
class TNamespaceForm;
class TCopy2daForm;

struct TForms {
  TForms();
  ~TForms();
  TForms(const TForms&) = delete;
  TForms& operator=(const TForms&) = delete;

  std::unique_ptr<TMainForm> MainForm;
  std::unique_ptr<TEditTokenForm> EditTokenForm;
  std::unique_ptr<TMod2DARowForm> Mod2DARowForm;
  std::unique_ptr<TNewLabelForm> NewLabelForm;
  std::unique_ptr<TChange2daForm> Change2daForm;
  std::unique_ptr<TAdd2daColForm> Add2daColForm;
  std::unique_ptr<TInfoForm> InfoForm;
  std::unique_ptr<TInfoCopyForm> InfoCopyForm;
  std::unique_ptr<TMassAddForm> MassAddForm;
  std::unique_ptr<TFormNewGFF> FormNewGFF;
  std::unique_ptr<TFormFilename> FormFilename;
  std::unique_ptr<TNamespaceForm> NamespaceForm;
  std::unique_ptr<TCopy2daForm> Copy2daForm;
};

}  // namespace quennet
