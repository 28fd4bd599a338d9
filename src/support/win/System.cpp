#include "support/win/System.h"

#include <windows.h>

bool RunningOnWow64() {
  // Looked up at run time: older systems have no such export.
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  const auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32"), "IsWow64Process")));
  if (!isWow64Process) return false;
  BOOL wow64 = FALSE;
  if (!isWow64Process(::GetCurrentProcess(), &wow64)) throw std::runtime_error("Bad process handle");
  return wow64 != FALSE;
}

std::string OwnFilePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // truncated: try a larger buffer
  }
}
