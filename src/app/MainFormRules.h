#pragma once
// The main window's text rules, kept apart from the window so that they are tested on their own:
// the default install folder, the version prompt and the protected-folder test. (The folder
// text's own rules are the install folder's, shared with the uninstaller.)

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/base/CommandLine.h"

// The Windows folder's path cut just after its first backslash (c:\windows gives c:\); "" when
// it has none.
std::string DriveRootOf(std::string_view windowsFolder);

struct DefaultFolder {
  std::string folder;
  bool passed = false;  // taken from "/dir=" in argument 1
};
// Drive root + "zt", or the text after the first "/dir=" in the lower-cased argument 1 with its
// trailing backslashes collapsed to one (an empty rest stays empty). Later arguments are never
// looked at.
DefaultFolder DefaultInstallFolder(std::string_view driveRoot, const CommandLine& commandLine);

// The question put when an installed version exists; "" when none is asked.
std::string VersionPromptText(const std::string& installedVersion, const std::string& ownVersion,
                              bool installedCopyFound);

// Whether the folder is one the program must not be installed into: it begins with a Program
// Files folder, or lies in a "windows" folder (the folder itself included). Each form of the
// folder given (as typed, canonical long form) is tested; all texts are lower case, the Program
// Files folders without a trailing backslash (empty ones are passed over).
bool IsProtectedFolder(const std::vector<std::string>& forms, const std::vector<std::string>& programFilesFolders);
