#pragma once
// What the install click asks of the system about a folder: the forms the protected-folder test
// looks at, and whether its drive can take an installation.

#include <string>
#include <vector>

#include "product/InstallFolder.h"
#include "support/fs/CanonicalFolder.h"

// The folder's forms that the protected-folder test looks at.
std::vector<std::string> FolderForms(const std::string& folder);

// Whether the folder, in any of its forms, is one of the system's own folders or lies above
// one (the desktop, documents, c:\users, ...): the uninstaller could never empty it.
bool IsOrHoldsSystemFolder(const std::string& folder);

// Removable, fixed and network drives take an installation; others (CD, RAM disk, no root,
// unknown) do not. Asks for the folder's drive root (c:\).
bool IsValidInstallDevice(const InstallFolder& folder);
