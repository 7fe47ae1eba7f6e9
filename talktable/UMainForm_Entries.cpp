// The main window's commands that add and modify entries through the entry dialog.
#include "talktable/UEntryForm.h"
#include "talktable/UMainForm.h"

namespace sorlith {

void TMainForm::Newentry1Click() {}

void TMainForm::Editrow1Click() {}

void TMainForm::gridDblClick() {}

}  // namespace sorlith
