#include "app/StartUp.h"

#include <exception>

#include "app/InstallSession.h"
#include "app/MainForm.h"
#include "app/Switches.h"
#include "product/Product.h"
#include "support/run/Application.h"
#include "support/run/ProcessCommandLine.h"
#include "support/run/ProgramShell.h"
#include "ui/InstProgressForm.h"
#include "ui/MessageLoop.h"
#include "ui/RunServices.h"

int RunInstaller(int showCommand) {
  ProgramShell shell;
  const Switches switches = ReadSwitches(ProcessCommandLine());
  const bool unattended = switches.Unattended();

  // A second copy (or a mutex that cannot be made) ends here silently: no window, no message.
  if (!shell.TakeSingleInstance(kSingleInstanceMutex)) return unattended ? kExitAnotherCopy : 0;

  RunServices services(switches);
  try {
    SetApplicationTitle(kApplicationTitle);
    // Silent, the progress window ends without waiting for OK.
    const auto setUp = [silent = switches.mode == RunMode::Silent](TInstProgressForm& form) {
      if (silent) form.SetWaitAtEnd(false);
    };
    InstallSession session(services.Dialogs(), services.Progress(setUp), switches);
    if (unattended) return session.RunUnattended();
    TMainForm mainForm(session);
    mainForm.Create();
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
