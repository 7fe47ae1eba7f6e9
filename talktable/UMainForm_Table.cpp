// The main window's commands that change the table as a whole: delete, pad, append
// and set the language.
#include "talktable/UConfirmDelete.h"
#include "talktable/ULanguageForm.h"
#include "talktable/UMainForm.h"
#include "talktable/UPadForm.h"

namespace sorlith {

void TMainForm::Deleteselected1Click() {}

void TMainForm::PadtoStrRef1Click() {}

void TMainForm::Appendfile1Click() {}

void TMainForm::Setlanguage1Click() {}

}  // namespace sorlith
