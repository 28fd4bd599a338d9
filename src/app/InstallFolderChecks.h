#pragma once
// What the install click asks of the system about a folder: its canonical long form, the
// Program Files folders it must not lie in, and whether its drive can take an installation.

#include <string>
#include <vector>

// The folder as the file system names it, in lower case: full path, "." and ".." resolved,
// short names made long. The part that does not exist yet is kept as written.
std::string CanonicalFolder(const std::string& folder);

// The Program Files folders in lower case without a trailing backslash: the one this 32-bit
// program is shown (CSIDL 38) and, on 64-bit Windows, the native one, each also in its
// canonical form.
std::vector<std::string> ProgramFilesFolders();

// The folder's forms that the protected-folder test looks at.
std::vector<std::string> FolderForms(const std::string& folder);

// Removable, fixed and network drives take an installation; others (CD, RAM disk, no root,
// unknown) do not. Asks for the first three characters (c:\).
bool IsValidInstallDevice(const std::string& folder);
