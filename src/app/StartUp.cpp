#include "app/StartUp.h"

#include <exception>
#include <memory>

#include <objbase.h>

#include "app/MainForm.h"
#include "support/Product.h"
#include "support/Application.h"
#include "ui/InstProgressForm.h"
#include "ui/MessageLoop.h"
#include "ui/TaskDialogService.h"
#include "support/ProcessCommandLine.h"
#include "support/UniqueHandle.h"

namespace {

// An installer is typically started from a downloads folder, where a planted DLL could be
// picked up. Restrict the DLL search to System32 before anything loads a library on demand.
// The call exists from Windows 8 (and 7 with KB2533623), so it is looked up at run time.
void RestrictDllSearch() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = ::GetModuleHandleA("kernel32");
  if (auto fn = reinterpret_cast<SetDefaultDllDirectoriesFn>(
          reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")))) {
    fn(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  ::SetDllDirectoryA("");
}

class ComApartment {
 public:
  ComApartment() : m_ok(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (m_ok) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool m_ok;
};

}  // namespace

int RunInstaller(int showCommand) {
  RestrictDllSearch();
  ProcessCommandLine();
  ComApartment com;

  // A second copy (or a mutex that cannot be made) ends here silently: no window, no message.
  UniqueKernelHandle mutex(::CreateMutexA(nullptr, TRUE, kSingleInstanceMutex));
  if (!mutex || ::GetLastError() == ERROR_ALREADY_EXISTS) return 0;

  try {
    SetApplicationTitle(kApplicationTitle);
    TaskDialogService dialogs;
    TMainForm mainForm(dialogs, [] { return std::make_unique<TInstProgressForm>(); });
    mainForm.Create();
    mainForm.Show(showCommand);
    RunMessageLoop();
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    // Whatever left the start-up, the guard is released and the exit code stays 0.
    ShowException("Unknown error");
  }
  return 0;
}
