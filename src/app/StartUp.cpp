#include "app/StartUp.h"

#include <exception>
#include <memory>

#include "app/MainForm.h"
#include "support/Product.h"
#include "support/Application.h"
#include "ui/InstProgressForm.h"
#include "ui/MessageLoop.h"
#include "ui/TaskDialogService.h"
#include "support/ProcessCommandLine.h"
#include "support/StartUpGuards.h"
#include "support/UniqueHandle.h"

int RunInstaller(int showCommand) {
  RestrictDllSearch();
  ProcessCommandLine();
  ComApartment com;

  // A second copy (or a mutex that cannot be made) ends here silently: no window, no message.
  UniqueKernelHandle mutex(::CreateMutexA(nullptr, TRUE, kSingleInstanceMutex));
  if (!mutex || ::GetLastError() == ERROR_ALREADY_EXISTS) return 0;

  try {
    SetApplicationTitle(kApplicationTitle);
    TaskDialogService dialogs;
    TMainForm mainForm(dialogs, [] { return std::make_unique<TInstProgressForm>(); });
    mainForm.Create();
    mainForm.Show(showCommand);
    RunMessageLoop();
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    // Whatever left the start-up, the guard is released and the exit code stays 0.
    ShowException("Unknown error");
  }
  return 0;
}
