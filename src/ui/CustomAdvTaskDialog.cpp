#include "ui/CustomAdvTaskDialog.h"

#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "support/fs/FileVersion.h"
#include "ui/MessageLoop.h"
#include "ui/TaskDialogText.h"

namespace {

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

// The main icon's resource number in the system's own icons, per icon kind.
PCWSTR MainIconOf(TTaskDialogIcon icon) {
  switch (icon) {
    case TTaskDialogIcon::tiWarning: return MAKEINTRESOURCEW(84);
    case TTaskDialogIcon::tiQuestion: return MAKEINTRESOURCEW(99);
    case TTaskDialogIcon::tiError: return MAKEINTRESOURCEW(98);
    case TTaskDialogIcon::tiInformation: return MAKEINTRESOURCEW(81);
    case TTaskDialogIcon::tiShield: return MAKEINTRESOURCEW(78);
    default: return MAKEINTRESOURCEW(17);
  }
}

HRESULT CALLBACK Notified(HWND, UINT, WPARAM, LPARAM, LONG_PTR) { return S_OK; }

}  // namespace

int SystemMajorVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExA(&info)) return 0;
#pragma GCC diagnostic pop
  return static_cast<int>(info.dwMajorVersion);
}

int CommonControlsMajorVersion() {
  // The library a load by name gives this process: with a manifest that asks for version 6,
  // that is the side-by-side copy, not the one in the system folder.
  HMODULE module = ::LoadLibraryA("comctl32.dll");
  if (!module) return 0;
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(module, path, MAX_PATH);
  const auto version = length && length < MAX_PATH ? ReadFixedFileVersion(path) : std::nullopt;
  ::FreeLibrary(module);
  return version ? version->major : 0;
}

bool TCustomAdvTaskDialog::UsesPlatformFace() const {
  return ChoosePlatformFace(SystemMajorVersion(), CommonControlsMajorVersion(), NonNative);
}

int TCustomAdvTaskDialog::ExecutePlatformFace() {
  using TaskDialogIndirectFn = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);
  HMODULE module = ::LoadLibraryA("comctl32.dll");
  if (!module) return -1;
  struct Release {
    HMODULE m;
    ~Release() { ::FreeLibrary(m); }
  } release{module};
  auto call = reinterpret_cast<TaskDialogIndirectFn>(reinterpret_cast<void*>(::GetProcAddress(module, "TaskDialogIndirect")));
  if (!call) return -1;

  const std::wstring title = Wide(ExpandTaskDialogBreaks(Title));
  const std::wstring instruction = Wide(ExpandTaskDialogBreaks(Instruction));
  const std::wstring content = Wide(ExpandTaskDialogBreaks(Content));
  const std::wstring verification = Wide(VerificationText);

  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = TopmostThreadWindow();
  config.dwFlags = AllowCancellation ? TDF_ALLOW_DIALOG_CANCELLATION : 0;
  config.dwCommonButtons = CommonButtons;  // the six flags map one to one
  config.pszWindowTitle = title.empty() ? nullptr : title.c_str();
  config.pszMainIcon = MainIconOf(Icon);
  config.pszMainInstruction = instruction.empty() ? nullptr : instruction.c_str();
  config.pszContent = content.empty() ? nullptr : content.c_str();
  config.pszVerificationText = verification.empty() ? nullptr : verification.c_str();
  config.nDefaultButton = DefaultButton;
  config.nDefaultRadioButton = DefaultRadioButton;
  config.pfCallback = &Notified;
  config.lpCallbackData = reinterpret_cast<LONG_PTR>(this);

  int button = 0, radio = 0;
  BOOL verified = FALSE;
  if (FAILED(call(&config, &button, &radio, &verified))) return mrNone;
  RadioButtonResult = radio;
  VerifyResult = verified != FALSE;
  return button;
}
