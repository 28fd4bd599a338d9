#include "app/InstallFolderChecks.h"

#include <windows.h>

#include "support/base/Paths.h"
#include "support/base/Text.h"
#include "support/fs/Folders.h"
#include "support/fs/SystemFolders.h"

// Only a path on a drive is handed to the system for its long form: for a share, device or
// verbatim text ("\\host\share", "\\?\", "\\.\") that would already log the user on to a
// host, and such a text is refused by its own rules.
std::vector<std::string> FolderForms(const std::string& folder) {
  return {AsciiLower(folder), StartsWithDriveRoot(folder) ? CanonicalFolder(folder) : std::string()};
}

bool IsOrHoldsSystemFolder(const std::string& folder) {
  const std::vector<std::string> system = SystemFolders();
  for (const std::string& form : FolderForms(folder))
    if (!form.empty() && !FolderAtOrBelow(form, system).empty()) return true;
  return false;
}

bool IsValidInstallDevice(const InstallFolder& folder) {
  const std::string root = folder.Path().substr(0, 3);
  switch (::GetDriveTypeA(root.c_str())) {
    case DRIVE_REMOVABLE:
    case DRIVE_FIXED:
    case DRIVE_REMOTE:
      return true;
    default:
      return false;
  }
}
