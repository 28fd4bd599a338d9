#include "uninstall/TargetLoader.h"

#include <cstdint>

#include "support/base/Format.h"
#include "support/base/Paths.h"
#include "support/base/Text.h"
#include "support/fs/CanonicalFolder.h"
#include "support/fs/Folders.h"
#include "support/fs/SystemFolders.h"
#include "uninstall/RemovalRules.h"

namespace {

// A record is a few KiB; anything far larger is not one.
constexpr std::uint64_t kMaxRecordBytes = 1 << 20;

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
  std::string why;
  std::optional<HeldFolder> held = full.empty() ? std::nullopt : HeldFolder::Open(FolderPart(full), why);
  if (!held) {
    loading.error = Format("The install folder %s cannot be used: %s. Nothing was removed.", FolderPart(full), why);
    return loading;
  }
  const std::optional<std::string> text = held->Read(NamePart(full), kMaxRecordBytes);
  if (!text) {
    loading.error = Format("The uninstall record %s cannot be read.", recordPath);
    return loading;
  }
  // The folder's text as the record and the log show it; it is compared, never opened.
  const std::string shown = AddTrailingBackslash(CanonicalFolder(FolderPart(full)));
  RecordReading reading = ReadUninstallRecord(*text, shown, [](const std::string& dir) { return CanonicalFolder(dir); });
  if (reading.Sound() && !held->StillAt(reading.data.installDir))
    reading.error = "its Install_Dir " + reading.data.installDir + " is another folder than the one it lies in";
  if (reading.Sound()) {
    const std::string refusal = InstallFolderRefusal(shown, SystemFolders());
    if (!refusal.empty()) reading.error = "its install folder " + shown + " " + refusal;
  }
  const std::optional<InstallFolder> folder = InstallFolder::FromText(shown, false);
  if (!reading.Sound() || !folder) {
    loading.error = Format("The uninstall record %s is damaged: %s. Nothing was removed.", recordPath, reading.error);
    return loading;
  }
  loading.target = UninstallTarget{std::move(reading.data), *folder, folder->Join(NamePart(full)), AsciiLower(programPath)};
  loading.folder = std::move(held);
  loading.recordAsGiven = full;
  return loading;
}
