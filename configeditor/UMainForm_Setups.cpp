// File > Setup Lists: creating and opening namespaces.ini (its content comes with
// its own work).
#include "configeditor/UMainForm.h"

namespace quennet {

void TMainForm::SetupsNewClick() {}

void TMainForm::SetupsOpenClick() {}

}  // namespace quennet
