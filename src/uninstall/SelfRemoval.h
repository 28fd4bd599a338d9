#pragma once
// A running program cannot delete its own file, and its folder cannot go while the file is in
// it. So the uninstaller, when it is done, starts a copy of itself from the temporary folder
// and ends; the copy waits for it to end, removes the program, the record and the then-empty
// install folder, and ends too. The copy's own file was opened with delete-on-close and the
// handle handed to the copy, so the system deletes it once the copy has ended: nothing stays.

#include <string>

#include "uninstall/UninstallCommandLine.h"

// Starts the finishing copy for `programPath` and `recordPath` (both directly in one folder);
// false (and nothing left in the temporary folder) when it cannot be started.
bool StartSelfRemoval(const std::string& programPath, const std::string& recordPath);

// The finishing copy's work; its exit code: 0, 3 when the program or the record stays, or 2 for
// a line it will not act on (one that does not come from the uninstaller that made this copy,
// with a handle of that very uninstaller's process, or a folder no uninstall may empty). It
// waits for the uninstaller to end however long that takes.
int FinishSelfRemoval(const SelfRemovalOptions& options);
