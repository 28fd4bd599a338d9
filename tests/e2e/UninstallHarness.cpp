#include "e2e/UninstallHarness.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "common/Capture.h"
#include "common/ScratchFolder.h"
#include "support/fs/Folders.h"
#include "support/win/UniqueHandle.h"

namespace {
constexpr char kEntryKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{5D0C3A71-2E94-4B6F-A1C8-7F03E9B24D16}";
}

std::string UninstallerPath() { return ToWindowsPath(QLX_UNINSTALLER_PATH); }

DWORD RunCommandLine(const std::string& commandLine, DWORD timeoutMs) {
  std::string line = commandLine;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return ~0u;
  ::CloseHandle(pi.hThread);
  const UniqueKernelHandle process(pi.hProcess);
  if (::WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.get(), 99);
    return ~0u;
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process.get(), &code);
  return code;
}

DWORD RunUnixShell(std::string script, const std::vector<std::string>& windowsPaths) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return ~0u;
  // Wine gives no handle of such a program: its exit code comes back in a file.
  char temp[MAX_PATH + 1] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string done = std::string(temp) + "qlx-unix-shell-" + std::to_string(::GetCurrentProcessId()) + ".txt";
  ::DeleteFileA(done.c_str());
  std::vector<std::string> paths = windowsPaths;
  paths.push_back(done);
  script = "(" + script + "); echo $? >{" + std::to_string(windowsPaths.size()) + "}";
  for (std::size_t i = 0; i < paths.size(); ++i) {
    std::wstring wide(paths[i].begin(), paths[i].end());
    char* path = unixName(wide.c_str());
    if (!path) return ~0u;
    const std::string quoted = "'" + std::string(path) + "'";
    ::HeapFree(::GetProcessHeap(), 0, path);
    const std::string mark = "{" + std::to_string(i) + "}";
    for (std::size_t at = script.find(mark); at != std::string::npos; at = script.find(mark, at + quoted.size()))
      script.replace(at, mark.size(), quoted);
  }
  // Wine starts a program that is no Windows program as a program of the machine itself.
  std::string line = "/bin/sh -c \"" + script + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return ~0u;
  if (pi.hThread) ::CloseHandle(pi.hThread);
  if (pi.hProcess) ::CloseHandle(pi.hProcess);
  for (int i = 0; i < 300; ++i, ::Sleep(100)) {
    const std::string code = ReadWholeFile(done);
    if (!code.empty() && code.back() == '\n') {
      ::DeleteFileA(done.c_str());
      return static_cast<DWORD>(std::strtoul(code.c_str(), nullptr, 10));
    }
  }
  return ~0u;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(100);
  }
  return true;
}

bool WaitUntilGone(const std::string& path, DWORD timeoutMs) {
  return WaitUntil([&path] { return ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES; }, timeoutMs);
}

bool WaitUntilFree(const std::string& path, DWORD timeoutMs) {
  return WaitUntil(
      [&path] {
        const UniqueFileHandle alone(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        return alone || ::GetLastError() != ERROR_SHARING_VIOLATION;
      },
      timeoutMs);
}

std::string RegisteredUninstallString() {
  UniqueHkey key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kEntryKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return {};
  char value[2048] = {};
  DWORD size = sizeof value - 1;
  if (::RegQueryValueExA(key.get(), "UnInstallString", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) !=
      ERROR_SUCCESS)
    return {};
  return value;
}

bool UninstallEntryExists() {
  UniqueHkey key;
  return ::RegOpenKeyExA(HKEY_CURRENT_USER, kEntryKey, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::string GroupFolder() { return SpecialFolderPath(2) + "\\corvane\\Quillon\\"; }
std::string DesktopLink() { return SpecialFolderPath(0) + "\\qlx.lnk"; }

void RemoveProductTraces() {
  ::RegDeleteKeyA(HKEY_CURRENT_USER, kEntryKey);
  RemoveTree(SpecialFolderPath(2) + "\\corvane");
  ::DeleteFileA(DesktopLink().c_str());
}

bool FolderExists(const std::string& path) {
  const DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path) {
  const DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> UninstallLogLines() {
  return CrLfLines(ReadWholeFile(CommonDocumentsFolder() + "corvane\\unins.log"));
}

std::vector<std::string> FinishingCopiesLeft(DWORD timeoutMs) {
  // The copy's file goes when the copy's process ends, a moment after its work is done.
  WaitUntil([] { return FinishingCopiesNow().empty(); }, timeoutMs);
  return FinishingCopiesNow();
}

std::vector<std::string> FinishingCopiesNow() {
  char temp[MAX_PATH + 1] = {};
  ::GetTempPathA(MAX_PATH, temp);
  std::vector<std::string> left;
  WIN32_FIND_DATAA data{};
  UniqueFindHandle find(::FindFirstFileA((std::string(temp) + "qlx-unins-*").c_str(), &data));
  if (find) do left.push_back(data.cFileName);
    while (::FindNextFileA(find.get(), &data));
  return left;
}
