#include "app/MainFormRules.h"

#include "support/base/CodePage.h"
#include "support/base/Format.h"
#include "support/base/Paths.h"
#include "product/Product.h"
#include "support/base/Text.h"
#include "support/base/VersionNumber.h"

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
