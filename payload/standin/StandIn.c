// A stand-in program of the sample payload: it says which file it stands for and its version.
#include <windows.h>

#include "StandInInfo.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)instance;
  (void)previous;
  (void)commandLine;
  (void)show;
  MessageBoxA(NULL,
              STANDIN_NAME " version " STANDIN_VERSION_TEXT "\n\n" STANDIN_DESCRIPTION
                           "\n\nThis is a stand-in of the Quillon sample payload.",
              STANDIN_NAME, MB_OK | MB_ICONINFORMATION);
  return 0;
}
