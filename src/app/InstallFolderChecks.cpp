#include "app/InstallFolderChecks.h"

#include <windows.h>

#include "support/Folders.h"
#include "support/Paths.h"
#include "support/SystemFolders.h"
#include "support/Text.h"

std::vector<std::string> FolderForms(const std::string& folder) {
  return {AsciiLower(folder), CanonicalFolder(folder)};
}

bool IsOrHoldsSystemFolder(const std::string& folder) {
  const std::vector<std::string> system = SystemFolders();
  for (const std::string& form : FolderForms(folder))
    if (!form.empty() && !FolderAtOrBelow(form, system).empty()) return true;
  return false;
}

bool IsValidInstallDevice(const std::string& folder) {
  const std::string root = folder.substr(0, 3);
  switch (::GetDriveTypeA(root.c_str())) {
    case DRIVE_REMOVABLE:
    case DRIVE_FIXED:
    case DRIVE_REMOTE:
      return true;
    default:
      return false;
  }
}
