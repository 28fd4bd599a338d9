#pragma once
// A running program cannot delete its own file, and its folder cannot go while the file is in
// it. So the uninstaller, when it is done, starts a copy of itself from the temporary folder
// and ends; the copy waits for it to end, removes the program, the record and the then-empty
// install folder, and ends too. The copy's own file was opened with delete-on-close and the
// handle handed to the copy, so the system deletes it once the copy has ended: nothing stays.

#include <string>

#include "support/fs/NewFile.h"
#include "uninstall/UninstallCommandLine.h"

// Starts the finishing copy for `programPath` and `recordPath` (both directly in the folder
// `folder` names), which goes on with this run's log; false (and nothing left in the temporary
// folder) when it cannot be started.
bool StartSelfRemoval(const std::string& programPath, const std::string& recordPath, const FileIdentity& folder);

// The finishing copy's work; its exit code: 0, 3 when the program or the record stays, or 2 for
// a line it will not act on (one that does not come from the uninstaller that made this copy,
// with a handle of that very uninstaller's process, or a folder no uninstall may empty, or
// another folder than the one the uninstaller held). It waits for the uninstaller to end
// however long that takes, and logs what it removed and what stays in the uninstaller's log.
int FinishSelfRemoval(const SelfRemovalOptions& options);
