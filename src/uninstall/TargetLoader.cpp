#include "uninstall/TargetLoader.h"

#include <windows.h>
#include <shlobj.h>

#include "support/CanonicalFolder.h"
#include "support/Folders.h"
#include "support/Format.h"
#include "support/Paths.h"
#include "product/Product.h"
#include "support/Text.h"
#include "support/UniqueHandle.h"
#include "uninstall/RemovalRules.h"

namespace {

// A record is a few KiB; anything far larger is not one.
constexpr DWORD kMaxRecordBytes = 1 << 20;

std::optional<std::string> ReadRecordFile(const std::string& path) {
  const UniqueFileHandle file(
      ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  const DWORD size = ::GetFileSize(file.get(), nullptr);
  if (size == INVALID_FILE_SIZE || size > kMaxRecordBytes) return std::nullopt;
  std::string text(size, '\0');
  DWORD read = 0;
  if (size > 0 && (!::ReadFile(file.get(), text.data(), size, &read, nullptr) || read != size)) return std::nullopt;
  return text;
}

std::string FullPath(const std::string& path) {
  char buffer[MAX_PATH * 2] = {};
  const DWORD length = ::GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  return length && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

}  // namespace

std::vector<std::string> ProtectedFolders() {
  std::vector<std::string> folders = ProgramFilesFolders();
  const int csidls[] = {CSIDL_WINDOWS, CSIDL_SYSTEM,        CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86,
                        CSIDL_PROFILE, CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL,   CSIDL_PROGRAMS,
                        CSIDL_STARTMENU, CSIDL_APPDATA,     CSIDL_LOCAL_APPDATA, CSIDL_COMMON_APPDATA,
                        CSIDL_COMMON_DOCUMENTS, CSIDL_COMMON_PROGRAMS};
  for (const int csidl : csidls) {
    const std::string path = SpecialFolderPath(csidl);
    if (path.empty()) continue;
    folders.push_back(path);
    folders.push_back(CanonicalFolder(path));
    // The folder that holds every user's profile.
    if (csidl == CSIDL_PROFILE) folders.push_back(CanonicalFolder(FolderPart(path)));
  }
  return folders;
}

TargetLoading LoadUninstallTarget(const std::string& recordPath, const std::string& programPath) {
  TargetLoading loading;
  if (recordPath.empty()) {
    loading.error = "No uninstall record was named on the command line.";
    return loading;
  }
  const std::string full = FullPath(recordPath);
  const std::optional<std::string> text = full.empty() ? std::nullopt : ReadRecordFile(full);
  if (!text) {
    loading.error = Format("The uninstall record %s cannot be read.", recordPath);
    return loading;
  }
  const std::string folder = AddTrailingBackslash(CanonicalFolder(FolderPart(full)));
  RecordReading reading = ReadUninstallRecord(*text, folder, [](const std::string& dir) { return CanonicalFolder(dir); });
  if (reading.Sound()) {
    const std::string refusal = InstallFolderRefusal(folder, ProtectedFolders());
    if (!refusal.empty()) reading.error = "its install folder " + folder + " is " + refusal;
  }
  if (!reading.Sound()) {
    loading.error = Format("The uninstall record %s is damaged: %s. Nothing was removed.", recordPath, reading.error);
    return loading;
  }
  if (reading.data.programName.empty()) reading.data.programName = kProductName;
  loading.target = UninstallTarget{std::move(reading.data), folder, folder + AsciiLower(NamePart(full)),
                                   AsciiLower(programPath)};
  return loading;
}
