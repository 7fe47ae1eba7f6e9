// Quennet: the editor of the installer's configuration (changes.ini, namespaces.ini).
#include "configeditor/UForms.h"
#include "configeditor/mainwindow/UMainForm.h"
#include "platform/ui/Application.h"

int main(int argc, char** argv) {
  platform::Application application(argc, argv, "Quennet");
  quennet::TForms forms;
  forms.MainForm->show();
  return application.exec();
}
