#include "uninstall/TargetLoader.h"

#include <windows.h>

#include "support/CanonicalFolder.h"
#include "support/Folders.h"
#include "support/Format.h"
#include "support/Paths.h"
#include "support/SystemFolders.h"
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

}  // namespace

TargetLoading LoadUninstallTarget(const std::string& recordPath, const std::string& programPath) {
  TargetLoading loading;
  if (recordPath.empty()) {
    loading.error = "No uninstall record was named on the command line.";
    return loading;
  }
  // The installer puts its folder on a drive only: a record on a share, or named through a
  // device or verbatim path ("\\?\", "\\.\", "\\?\UNC\", "\\?\GLOBALROOT\"), is none it wrote.
  if (!IsDrivePath(recordPath)) {
    loading.error = Format("The uninstall record %s is not named by a path on a drive (x:\\...). Nothing was removed.",
                           recordPath);
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
  if (reading.Sound() && !IsDrivePath(reading.data.installDir))
    reading.error = "its Install_Dir " + reading.data.installDir + " is not a path on a drive";
  if (reading.Sound()) {
    const std::string refusal = InstallFolderRefusal(folder, SystemFolders());
    if (!refusal.empty()) reading.error = "its install folder " + folder + " is " + refusal;
  }
  if (!reading.Sound()) {
    loading.error = Format("The uninstall record %s is damaged: %s. Nothing was removed.", recordPath, reading.error);
    return loading;
  }
  loading.target = UninstallTarget{std::move(reading.data), folder, folder + AsciiLower(NamePart(full)),
                                   AsciiLower(programPath)};
  return loading;
}
