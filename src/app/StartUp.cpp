#include "app/StartUp.h"

#include <exception>
#include <memory>

#include "app/MainForm.h"
#include "app/Switches.h"
#include "support/Product.h"
#include "support/Application.h"
#include "ui/InstProgressForm.h"
#include "ui/MessageLoop.h"
#include "ui/TaskDialogService.h"
#include "support/HiddenProgress.h"
#include "support/LogOnlyDialogs.h"
#include "support/ProcessCommandLine.h"
#include "support/StartUpGuards.h"
#include "support/UniqueHandle.h"

namespace {

InstallProgressFactory ProgressFor(RunMode mode) {
  switch (mode) {
    case RunMode::VerySilent:
      return [] { return std::make_unique<HiddenProgress>(); };
    case RunMode::Silent:
      return [] {
        auto form = std::make_unique<TInstProgressForm>();
        form->SetWaitAtEnd(false);
        return std::unique_ptr<InstallProgress>(std::move(form));
      };
    case RunMode::Interactive:
      break;
  }
  return [] { return std::make_unique<TInstProgressForm>(); };
}

}  // namespace

int RunInstaller(int showCommand) {
  RestrictDllSearch();
  const Switches switches = ReadSwitches(ProcessCommandLine());
  const bool unattended = switches.mode != RunMode::Interactive;
  ComApartment com;

  // A second copy (or a mutex that cannot be made) ends here silently: no window, no message.
  UniqueKernelHandle mutex(::CreateMutexA(nullptr, TRUE, kSingleInstanceMutex));
  if (!mutex || ::GetLastError() == ERROR_ALREADY_EXISTS) return unattended ? kExitAnotherCopy : 0;

  try {
    SetApplicationTitle(kApplicationTitle);
    if (switches.suppressMsgBoxes) {
      // No message box of any kind: what would be shown goes to the run log.
      SetInfoBoxHandler([](const std::string& text) { LogReport(text); });
      SetExceptionHandler([](const std::string& text) { LogReport(text); });
    }
    TaskDialogService shownDialogs;
    LogOnlyDialogs loggedDialogs;
    DialogService& dialogs = switches.suppressMsgBoxes ? static_cast<DialogService&>(loggedDialogs) : shownDialogs;
    TMainForm mainForm(dialogs, ProgressFor(switches.mode), switches.mode);
    mainForm.Create();
    if (unattended) return mainForm.RunUnattended();
    mainForm.Show(showCommand);
    RunMessageLoop();
  } catch (const std::exception& e) {
    ShowException(e.what());
    if (unattended) return kExitFailed;
  } catch (...) {
    // Whatever left the start-up, the guard is released and the exit code stays 0.
    ShowException("Unknown error");
    if (unattended) return kExitFailed;
  }
  return 0;
}
