// The main window's Tools > Search command.
#include "talktable/UMainForm.h"
#include "talktable/USearchForm.h"

namespace sorlith {

void TMainForm::Search1Click() {}

}  // namespace sorlith
