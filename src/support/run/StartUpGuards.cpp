#include "support/run/StartUpGuards.h"

#include <windows.h>
#include <objbase.h>

void RestrictDllSearch() {
  // The call exists from Windows 8 (and 7 with KB2533623), so it is looked up at run time.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = ::GetModuleHandleA("kernel32");
  if (auto fn = reinterpret_cast<SetDefaultDllDirectoriesFn>(
          reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")))) {
    fn(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  ::SetDllDirectoryA("");
}

ComApartment::ComApartment() : m_ok(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComApartment::~ComApartment() {
  if (m_ok) ::CoUninitialize();
}
