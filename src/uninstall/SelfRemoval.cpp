#include "uninstall/SelfRemoval.h"

#include <cstdint>
#include <optional>

#include <windows.h>

#include "support/CanonicalFolder.h"
#include "support/Folders.h"
#include "support/HeldFolder.h"
#include "support/Paths.h"
#include "support/System.h"
#include "support/SystemFolders.h"
#include "support/Text.h"
#include "support/UniqueHandle.h"
#include "uninstall/RemovalRules.h"
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

// The finishing copy of the uninstaller with process id `starter`.
std::string FinishingCopyPath(const std::string& temp, DWORD starter) {
  return temp + "qlx-unins-" + std::to_string(starter) + ".exe";
}

// Whether this process is the finishing copy that `starter` made: its own image is that copy,
// and the handle it was given is that process. A plain command line with the switch is neither.
bool IsFinishingCopyOf(HANDLE starter) {
  const std::string temp = TemporaryFolder();
  const DWORD id = ::GetProcessId(starter);
  return !temp.empty() && id != 0 && AsciiLower(OwnFilePath()) == AsciiLower(FinishingCopyPath(temp, id));
}

void RemoveWithRetries(const HeldFolder& folder, const std::string& name) {
  for (int i = 0; i < kDeleteTries; ++i) {
    const std::uint32_t error = folder.RemoveFile(name);
    if (error == 0 || error == ERROR_FILE_NOT_FOUND || error == kEntryIsLink) return;
    ::Sleep(kDeleteRetryMs);
  }
}

}  // namespace

bool StartSelfRemoval(const std::string& programPath, const std::string& recordPath) {
  const std::string temp = TemporaryFolder();
  if (temp.empty()) return false;
  const std::string copy = FinishingCopyPath(temp, ::GetCurrentProcessId());
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
  // The copy waits on it, and asks its id to know it was started by this process.
  if (!::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &self,
                         SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0))
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
  // The handle is only taken over (and so closed) once it is known to be the starter's.
  const auto starter = reinterpret_cast<HANDLE>(options.parentProcess);
  if (!IsFinishingCopyOf(starter)) return kExitBadRecord;
  const UniqueKernelHandle parent(starter);
  const std::string folder = FolderPart(options.programPath);
  // Only a program and its record side by side in one folder that an uninstall may empty.
  if (folder.size() <= 3 || FolderPart(options.recordPath) != folder || !EndsWith(options.programPath, ".exe") ||
      !EndsWith(options.recordPath, ".dat") ||
      !InstallFolderRefusal(AddTrailingBackslash(CanonicalFolder(folder)), SystemFolders()).empty())
    return kExitBadRecord;
  ::WaitForSingleObject(parent.get(), kParentWaitMs);
  // The folder held, and the two files reached through it, as in the uninstall itself.
  // The uninstaller's own hold on the folder may outlive its process for a moment.
  std::string why;
  std::optional<HeldFolder> held = HeldFolder::Open(folder, why);
  for (int i = 0; i < kDeleteTries && !held && ::GetLastError() == ERROR_SHARING_VIOLATION; ++i) {
    ::Sleep(kDeleteRetryMs);
    held = HeldFolder::Open(folder, why);
  }
  if (!held) return kExitBadRecord;
  RemoveWithRetries(*held, NamePart(options.programPath));
  held->RemoveFile(NamePart(options.recordPath));
  held->RemoveSelf();
  return kExitRemoved;
}
