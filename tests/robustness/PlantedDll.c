/* A stand-in for a system DLL planted beside a program. When a process loads it, it leaves a
   marker file "<dll>@<program>" in the folder named by QLX_MARKERS (default c:\qlx-markers)
   and returns TRUE; it exports nothing, so whoever meant the real DLL gets none of its
   functions. */
#include <windows.h>

static const char* BaseName(const char* path) {
  const char* base = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/') base = p + 1;
  return base;
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char dll[MAX_PATH] = {0};
  char program[MAX_PATH] = {0};
  char folder[MAX_PATH] = "c:\\qlx-markers";
  char marker[3 * MAX_PATH] = {0};
  GetModuleFileNameA(self, dll, MAX_PATH - 1);
  GetModuleFileNameA(NULL, program, MAX_PATH - 1);
  DWORD length = GetEnvironmentVariableA("QLX_MARKERS", folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) lstrcpyA(folder, "c:\\qlx-markers");
  CreateDirectoryA(folder, NULL);
  wsprintfA(marker, "%s\\%s@%s", folder, BaseName(dll), BaseName(program));
  HANDLE file = CreateFileA(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, dll, lstrlenA(dll), &written, NULL);
    CloseHandle(file);
  }
  return TRUE;
}
