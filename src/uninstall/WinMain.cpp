#include <windows.h>

#include "uninstall/UninstallerStartUp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunUninstaller(); }
