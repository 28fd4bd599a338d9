// A stand-in library of the sample payload: loads, and tells its name and version on request.
#include <windows.h>

#include "StandInInfo.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)instance;
  (void)reason;
  (void)reserved;
  return TRUE;
}

__declspec(dllexport) const char* StandInVersion(void) { return STANDIN_NAME " " STANDIN_VERSION_TEXT; }
