#pragma once
// The uninstaller's process start-up: the DLL search restriction, COM, the finishing copy's
// mode, the single-instance guard, the run log, the record and the run. Returns the exit code.

int RunUninstaller();
