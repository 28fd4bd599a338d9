#pragma once
// The install run: the payload into the install folder, then the uninstall record, the
// shortcuts, the per-user uninstall entry and one closing report. The caller's window, the
// silent modes and the tests drive the same run through the dialog service and the progress
// window's interface.

#include <string>

#include "engine/InstallOutcome.h"
#include "product/InstallFolder.h"
#include "support/DialogService.h"
#include "support/InstallProgress.h"

// The request's folder is made from the lower-case folder text the user or the command line gave. True
// when the product was installed (a file that could not be written does not change that, unless
// not one could); false when an item was unreadable, the run was cancelled or nothing was
// written. `outcome` tells which, and is filled before any failure leaves: a missing or damaged
// item raises EInstallerDamaged; other failures (the 64-bit check, the shell's link object, the
// registry) pass through with their own messages. The progress window is made through
// `makeProgress` and released on every path, before the closing report.
struct InstallRequest {
  InstallFolder folder;
  bool useDosbox = false;  // DOSBox is installed whatever the machine ("/usedosbox")
};

bool InstallProgram(const InstallRequest& request, DialogService& dialogs,
                    const InstallProgressFactory& makeProgress, InstallOutcome& outcome);
