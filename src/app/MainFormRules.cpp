#include "app/MainFormRules.h"

#include "support/CodePage.h"
#include "support/FileNameRules.h"
#include "support/Format.h"
#include "support/Paths.h"
#include "product/Product.h"
#include "support/Text.h"
#include "support/VersionNumber.h"

std::string DriveRootOf(std::string_view windowsFolder) {
  const auto slash = FindCharacter(windowsFolder, "\\");
  return slash == std::string_view::npos ? std::string() : std::string(windowsFolder.substr(0, slash + 1));
}

DefaultFolder DefaultInstallFolder(std::string_view driveRoot, const CommandLine& commandLine) {
  DefaultFolder result{std::string(driveRoot) + "zt", false};
  if (commandLine.Count() < 1) return result;
  const std::string first = AsciiLower(commandLine.Arg(1));
  const auto at = first.find("/dir=");
  if (at == std::string::npos) return result;
  result.folder = AddTrailingBackslash(StripTrailingBackslashes(first.substr(at + 5)));
  result.passed = true;
  return result;
}

std::string VersionPromptText(const std::string& installedVersion, const std::string& ownVersion,
                              bool installedCopyFound) {
  if (installedVersion.empty()) return {};
  const std::int64_t installed = VersionToNumber(installedVersion);
  const std::int64_t own = VersionToNumber(ownVersion);
  if (installed > own)
    return Format("Version %s of %s is installed. The NEW version is %s.", installedVersion, kProductName, ownVersion) +
           "\n\n" + "Click YES to install the older version.";
  if (installed < own)
    return Format("Version %s of %s is installed. The NEW version is %s.", installedVersion, kProductName, ownVersion) +
           "\n\n" + "Click YES to install.";
  if (installedCopyFound)
    return Format("Version %s of %s is already installed.", ownVersion, kProductName) + "\n\n" + "Click YES to re-install";
  return {};
}

bool IsProtectedFolder(const std::vector<std::string>& forms, const std::vector<std::string>& programFilesFolders) {
  for (const std::string& form : forms) {
    if (form.empty()) continue;
    // With the trailing backslash, the Windows folder itself is caught too.
    if (AddTrailingBackslash(form).find("\\windows\\") != std::string::npos) return true;
    for (const std::string& programFiles : programFilesFolders)
      if (!programFiles.empty() && form.compare(0, programFiles.size(), programFiles) == 0) return true;
  }
  return false;
}

std::string FolderTextFault(std::string_view folder) {
  const std::string bare = StripTrailingBackslashes(folder);
  std::string_view rest(bare);
  if (StartsWithDriveRoot(rest)) {
    rest.remove_prefix(3);
  } else if (rest.size() > 2 && rest.substr(0, 2) == "\\\\") {
    rest.remove_prefix(2);
  } else {
    return "is not a full path (one that begins with a drive, as c:\\zt does)";
  }
  if (bare.size() > kMaxInstallFolderLength)
    return Format("is longer than %d characters", static_cast<int>(kMaxInstallFolderLength));
  // Each part must be a name the system keeps as written ("c:\zt." would be c:\zt, "c:\con"
  // a device, "c:\a\\b" has an empty part).
  while (!rest.empty()) {
    const auto slash = FindCharacter(rest, "\\");
    const std::string_view part = rest.substr(0, slash);
    if (!IsPlainName(part)) return "has a part that is no plain folder name";
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  return {};
}
