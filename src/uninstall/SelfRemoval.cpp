#include "uninstall/SelfRemoval.h"

#include <cstdint>
#include <optional>

#include <windows.h>

#include "support/base/Paths.h"
#include "support/base/Text.h"
#include "support/fs/CanonicalFolder.h"
#include "support/fs/Folders.h"
#include "support/fs/HeldFolder.h"
#include "support/fs/SystemFolders.h"
#include "support/run/ProgramShell.h"
#include "support/run/RunLog.h"
#include "support/win/System.h"
#include "support/win/UniqueHandle.h"
#include "uninstall/RemovalRules.h"
#include "uninstall/UninstallRun.h"

namespace {

// How long the copy keeps trying to delete the program while the system is still letting go of
// its image. For the uninstaller to end it waits as long as that takes: its closing report may
// stay open for any time.
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

// A path's text as the system's long form, for comparison only.
std::string ComparableFilePath(const std::string& path) {
  return AddTrailingBackslash(CanonicalFolder(FolderPart(path))) + AsciiLower(NamePart(path));
}

// Whether this process is the finishing copy that the uninstaller `programPath` made: its own
// image is that copy, the handle it was given is a real process (not a pseudo handle, which
// names this very process) and that process runs `programPath`. A plain command line with the
// switch, or another program's handle, is none of that.
bool IsFinishingCopyOf(HANDLE starter, const std::string& programPath) {
  const auto value = reinterpret_cast<std::uintptr_t>(starter);
  if (value == 0 || value >= static_cast<std::uintptr_t>(-6)) return false;
  const std::string temp = TemporaryFolder();
  const DWORD id = ::GetProcessId(starter);
  if (temp.empty() || id == 0 || id == ::GetCurrentProcessId() ||
      AsciiLower(OwnFilePath()) != AsciiLower(FinishingCopyPath(temp, id)))
    return false;
  char image[MAX_PATH + 1] = {};
  DWORD length = MAX_PATH;
  return ::QueryFullProcessImageNameA(starter, 0, image, &length) &&
         ComparableFilePath(std::string(image, length)) == ComparableFilePath(programPath);
}

// 0, or the last error when the file still stands.
std::uint32_t RemoveWithRetries(const HeldFolder& folder, const std::string& name) {
  std::uint32_t error = 0;
  for (int i = 0; i < kDeleteTries; ++i) {
    error = folder.RemoveFile(name);
    if (error == 0 || error == ERROR_FILE_NOT_FOUND) return 0;
    if (error == kEntryIsLink) return error;
    ::Sleep(kDeleteRetryMs);
  }
  return error;
}

}  // namespace

bool StartSelfRemoval(const std::string& programPath, const std::string& recordPath, const FileIdentity& folder) {
  const std::string temp = TemporaryFolder();
  if (temp.empty()) return false;
  const std::string copy = FinishingCopyPath(temp, ::GetCurrentProcessId());
  // A new file only: one of that name (left by an earlier copy, or planted) is not replaced.
  if (!::CopyFileA(programPath.c_str(), copy.c_str(), TRUE)) return false;

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

  const std::optional<FileIdentity> log = LogFileIdentity();
  std::string commandLine = "\"" + copy + "\" " +
                            SelfRemovalArguments({reinterpret_cast<std::uintptr_t>(self), IdentityText(folder),
                                                  log ? IdentityText(*log) : std::string(), programPath, recordPath});
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
  if (!IsFinishingCopyOf(starter, options.programPath)) return kExitBadRecord;
  const UniqueKernelHandle parent(starter);
  const std::string folder = FolderPart(options.programPath);
  // Only a program and its record side by side in one folder that an uninstall may empty.
  if (folder.size() <= 3 || FolderPart(options.recordPath) != folder || !EndsWith(options.programPath, ".exe") ||
      !EndsWith(options.recordPath, ".dat") ||
      !InstallFolderRefusal(AddTrailingBackslash(CanonicalFolder(folder)), SystemFolders()).empty())
    return kExitBadRecord;
  ::WaitForSingleObject(parent.get(), INFINITE);
  // The uninstaller has written its last line: this copy's lines follow it.
  if (const auto log = IdentityFromText(options.logIdentity)) ProgramShell::ContinueLog(NamePart(options.programPath), *log);
  // The folder held, and the two files reached through it, as in the uninstall itself.
  // The uninstaller's own hold on the folder may outlive its process for a moment.
  std::string why;
  std::optional<HeldFolder> held = HeldFolder::Open(folder, why);
  for (int i = 0; i < kDeleteTries && !held && ::GetLastError() == ERROR_SHARING_VIOLATION; ++i) {
    ::Sleep(kDeleteRetryMs);
    held = HeldFolder::Open(folder, why);
  }
  // The path may lead elsewhere by now: only the folder the uninstaller held is worked on.
  const std::optional<FileIdentity> identity = held ? held->Identity() : std::nullopt;
  if (!identity || IdentityText(*identity) != options.folderIdentity) {
    LogFormat("Uninstall.Finishing copy refused %s: %s", folder,
              held ? "it is not the folder the uninstaller held" : why);
    return kExitBadRecord;
  }
  // What stays makes the exit code say so (3); the folder itself may hold the user's files.
  const auto removal = [](const std::string& path, std::uint32_t error) {
    if (error == 0)
      LogFormat("Uninstall.Finishing copy removed %s", path);
    else
      LogFormat("Uninstall.Finishing copy could NOT remove %s (error %d)", path, static_cast<int>(error));
  };
  const std::uint32_t program = RemoveWithRetries(*held, NamePart(options.programPath));
  removal(options.programPath, program);
  std::uint32_t record = held->RemoveFile(NamePart(options.recordPath));
  if (record == ERROR_FILE_NOT_FOUND) record = 0;
  removal(options.recordPath, record);
  const std::uint32_t folderGone = held->RemoveSelf();
  if (folderGone != ERROR_DIR_NOT_EMPTY) removal(folder, folderGone);
  const int code = program == 0 && record == 0 && (folderGone == 0 || folderGone == ERROR_DIR_NOT_EMPTY)
                       ? kExitRemoved
                       : kExitFilesKept;
  LogFormat("Uninstall.Finishing copy exit code %d: %s", code,
            code == kExitRemoved ? "done" : "the uninstaller or its record stays");
  return code;
}
