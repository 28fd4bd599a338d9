#include "engine/UninstallRegistry.h"

#include <algorithm>
#include <stdexcept>

#include <windows.h>

#include "product/Product.h"
#include "product/Shortcuts.h"
#include "support/base/Format.h"
#include "support/win/UniqueHandle.h"

namespace {

UniqueHkey CreateKey(HKEY parent, const char* name) {
  UniqueHkey key;
  if (::RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS)
    throw std::runtime_error(Format("Failed to create key %s", name));
  return key;
}

void SetValue(HKEY key, const char* name, DWORD type, const void* data, DWORD size) {
  if (::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
    throw std::runtime_error(Format("Failed to set data for '%s'", name));
}

void SetText(HKEY key, const char* name, const std::string& text) {
  // The stored data includes the terminating zero.
  SetValue(key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetNumber(HKEY key, const char* name, DWORD number) { SetValue(key, name, REG_DWORD, &number, sizeof number); }

}  // namespace

void Register(const InstallFolder& installFolder, std::uint64_t bytesWritten) {
  const UniqueHkey root = CreateKey(HKEY_CURRENT_USER, kUninstallRootKey);
  const UniqueHkey product = CreateKey(root.get(), kUninstallGuid);
  SetText(product.get(), "DisplayName", kProductName);
  SetText(product.get(), "UnInstallString", installFolder.UninstallCommand());
  SetNumber(product.get(), "NoModify", 1);
  SetNumber(product.get(), "NoRepair", 1);
  SetText(product.get(), "DisplayVersion", kDisplayVersion);
  SetText(product.get(), "Publisher", kPublisher);
  SetText(product.get(), "DisplayIcon", installFolder.Join(kDesktopIcon));
  SetText(product.get(), "InstallLocation", installFolder.Path());
  const std::uint64_t kib = std::min<std::uint64_t>((bytesWritten + 1023) / 1024, 0xffffffffu);
  SetNumber(product.get(), "EstimatedSize", static_cast<DWORD>(kib));
  SYSTEMTIME today{};
  ::GetLocalTime(&today);
  SetText(product.get(), "InstallDate", Format("%.4d%.2d%.2d", today.wYear, today.wMonth, today.wDay));
  SetText(product.get(), "QuietUninstallString", installFolder.UninstallCommand() + " /VERYSILENT");
}
