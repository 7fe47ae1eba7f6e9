// Sorlith, the talk-table editor.
#include "platform/ui/Application.h"
#include "talktable/UMainForm.h"

int main(int argc, char** argv) {
  platform::Application application(argc, argv, "Sorlith");
  sorlith::TMainForm MainForm;
  MainForm.CreateForms();
  if (sorlith::ShouldOpenAtStartUp(argc, argv))
    platform::RunGuarded([&] { MainForm.LoadFile(argv[1]); });
  MainForm.show();
  return application.exec();
}
