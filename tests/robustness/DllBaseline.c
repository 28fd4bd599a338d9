/* The reference for the planted-DLL campaign: a program with the installer's load-time imports
   that restricts DLL search to the system folder first thing and ends. What Wine loads for it
   (resolving the imports' own imports, before any code of the program runs) is the baseline
   that the installer's and uninstaller's loads are compared with. */
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <stdlib.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)instance, (void)previous, (void)commandLine, (void)show;
  typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
  SetDefaultDllDirectoriesFn setDirectories = (SetDefaultDllDirectoriesFn)(void (*)(void))GetProcAddress(
      GetModuleHandleA("kernel32"), "SetDefaultDllDirectories");
  if (setDirectories) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetDllDirectoryA("");
  /* One call into each imported DLL, so that none is dropped from the import table. */
  char folder[MAX_PATH];
  RegCloseKey(NULL);
  GetStockObject(WHITE_BRUSH);
  GetDesktopWindow();
  SHGetFolderPathA(NULL, CSIDL_COMMON_DOCUMENTS, NULL, 0, folder);
  CoTaskMemFree(NULL);
  return abs(0);
}
