#include "uninstall/SelfRemoval.h"

#include <cstdint>

#include <windows.h>

#include "support/Folders.h"
#include "support/Paths.h"
#include "support/Text.h"
#include "support/UniqueHandle.h"
#include "uninstall/UninstallRun.h"

namespace {

// How long the copy waits for the uninstaller to end, and how long it keeps trying to delete
// the program while the system is still letting go of its image.
constexpr DWORD kParentWaitMs = 120000;
constexpr int kDeleteTries = 100;
constexpr DWORD kDeleteRetryMs = 100;

std::string TemporaryFolder() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathA(MAX_PATH, buffer);
  return length && length <= MAX_PATH ? AddTrailingBackslash(std::string(buffer, length)) : std::string();
}

bool EndsWith(const std::string& text, const char* suffix) {
  const std::string lower = AsciiLower(text), end = suffix;
  return lower.size() > end.size() && lower.compare(lower.size() - end.size(), end.size(), end) == 0;
}

void DeleteWithRetries(const std::string& path) {
  for (int i = 0; i < kDeleteTries; ++i) {
    if (::DeleteFileA(path.c_str()) || ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    ::Sleep(kDeleteRetryMs);
  }
}

}  // namespace

bool StartSelfRemoval(const std::string& programPath, const std::string& recordPath) {
  const std::string temp = TemporaryFolder();
  if (temp.empty()) return false;
  const std::string copy = temp + "qlx-unins-" + std::to_string(::GetCurrentProcessId()) + ".exe";
  if (!::CopyFileA(programPath.c_str(), copy.c_str(), FALSE)) return false;

  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  // Deleted when the last handle goes: this one first, then the copy's inherited one.
  UniqueFileHandle deleteOnClose(::CreateFileA(copy.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                               &inherited, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  if (!deleteOnClose) {
    ::DeleteFileA(copy.c_str());
    return false;
  }
  HANDLE self = nullptr;
  if (!::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &self, SYNCHRONIZE,
                         TRUE, 0))
    return false;
  const UniqueKernelHandle ownProcess(self);

  std::string commandLine =
      "\"" + copy + "\" " + SelfRemovalArguments(reinterpret_cast<std::uintptr_t>(self), programPath, recordPath);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(copy.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, temp.c_str(), &startup,
                        &started))
    return false;
  const UniqueKernelHandle startedThread(started.hThread), startedProcess(started.hProcess);
  // The copy holds its inherited handles now; ours close when this function returns.
  return true;
}

int FinishSelfRemoval(const SelfRemovalOptions& options) {
  const UniqueKernelHandle parent(reinterpret_cast<HANDLE>(options.parentProcess));
  const std::string folder = FolderPart(options.programPath);
  // Only a program and its record side by side in one folder, nothing else.
  if (folder.size() <= 3 || FolderPart(options.recordPath) != folder || !EndsWith(options.programPath, ".exe") ||
      !EndsWith(options.recordPath, ".dat"))
    return kExitBadRecord;
  ::WaitForSingleObject(parent.get(), kParentWaitMs);
  DeleteWithRetries(options.programPath);
  ::DeleteFileA(options.recordPath.c_str());
  ::RemoveDirectoryA(StripTrailingBackslashes(folder).c_str());
  return kExitRemoved;
}
