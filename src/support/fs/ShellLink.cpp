#include "support/fs/ShellLink.h"

#include <stdexcept>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "support/base/Format.h"
#include "support/base/Paths.h"
#include "support/win/ComPtr.h"
#include "support/win/SystemError.h"

namespace {

constexpr char kShellLinkClassId[] = "{00021401-0000-0000-C000-000000000046}";
constexpr char kShellLinkInterfaceId[] = "{000214EE-0000-0000-C000-000000000046}";
constexpr char kPersistFileInterfaceId[] = "{0000010B-0000-0000-C000-000000000046}";

std::string SystemErrorText(HRESULT hr) {
  std::string text = SystemMessage(static_cast<std::uint32_t>(hr));
  if (text.empty()) text = Format("Error 0x%x", static_cast<std::uint32_t>(hr));
  // The line end goes; a final period stays.
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

[[noreturn]] void RaiseComFailure(HRESULT hr, const char* id) {
  throw std::runtime_error(Format("%s, ClassID: %s", SystemErrorText(hr), id));
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

}  // namespace

bool CreateShellLink(const std::string& linkPath, const std::string& target, const std::string& arguments,
                     const std::string& description, const std::string& iconPath, std::int32_t iconIndex,
                     std::uint16_t hotKey) {
  ComPtr<IShellLinkA> link;
  HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(link.put()));
  if (FAILED(hr)) RaiseComFailure(hr, hr == E_NOINTERFACE ? kShellLinkInterfaceId : kShellLinkClassId);
  ComPtr<IPersistFile> file;
  hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put()));
  if (FAILED(hr)) RaiseComFailure(hr, kPersistFileInterfaceId);

  link->SetPath(target.c_str());
  link->SetWorkingDirectory(FolderPart(target).c_str());
  link->SetArguments(arguments.c_str());
  link->SetIconLocation(iconPath.c_str(), iconIndex);
  link->SetDescription(description.c_str());
  link->SetShowCmd(SW_SHOWNORMAL);
  if (hotKey != 0) link->SetHotkey(hotKey);
  return SUCCEEDED(file->Save(Wide(linkPath).c_str(), FALSE));
}

std::string ShellLinkTarget(const std::string& linkPath) {
  ComPtr<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.put()))))
    return {};
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put()))) ||
      FAILED(file->Load(Wide(linkPath).c_str(), STGM_READ)))
    return {};
  char target[MAX_PATH * 2] = {};
  // As stored, without resolving it against the file system (which may search for a moved target).
  if (FAILED(link->GetPath(target, sizeof target, nullptr, SLGP_RAWPATH))) return {};
  return target;
}
