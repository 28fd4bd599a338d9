#pragma once
// Process start-up: runtime set-up, the single-instance guard, the main window and the
// message loop. Returns the process exit code, which is 0 on every path.

#include <windows.h>

int RunInstaller(int showCommand);
