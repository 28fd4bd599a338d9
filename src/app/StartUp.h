#pragma once
// Process start-up: runtime set-up, the single-instance guard, the main window and the
// message loop, or the unattended install. Returns the process exit code: 0 on every path of
// an interactive run, the unattended install's code otherwise.

#include <windows.h>

int RunInstaller(int showCommand);
