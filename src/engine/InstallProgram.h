#pragma once
// The install run: the payload into the install folder, then the uninstall record, the
// shortcuts, the per-user uninstall entry and one closing report. The caller's window, the
// silent modes and the tests drive the same run through the dialog service and the progress
// window's interface.

#include <string>

#include "engine/InstallOutcome.h"
#include "product/InstallFolder.h"
#include "support/run/DialogService.h"
#include "support/run/InstallProgress.h"

// The request's folder is made from the lower-case folder text the user or the command line
// gave. The outcome says whether the product was installed (a file that could not be written
// does not change that, unless not one could) or why not: an item was unreadable, the run was
// cancelled, nothing was written, or a failure stopped it (`stopped`, with its message: a
// missing or damaged item, Damaged; the 64-bit check, the shell's link object, the registry,
// Failed), which no report of the run has shown. The progress window is made through
// `makeProgress` and released on every path, before the closing report.
struct InstallRequest {
  InstallFolder folder;
  bool useDosbox = false;  // DOSBox is installed whatever the machine ("/usedosbox")
};

InstallOutcome InstallProgram(const InstallRequest& request, DialogService& dialogs,
                              const InstallProgressFactory& makeProgress);
