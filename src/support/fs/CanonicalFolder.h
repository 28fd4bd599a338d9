#pragma once
// The canonical long form of a folder, and the Program Files folders in that form: what the
// installer's folder checks and the uninstaller's protected folders compare.

#include <string>
#include <vector>

// The path made full by the system (relative to the current folder, "." and ".." resolved);
// "" when the system cannot.
std::string FullPath(const std::string& path);

// The folder as the file system names it, in lower case: full path, "." and ".." resolved,
// short names made long. The part that does not exist yet is kept as written.
std::string CanonicalFolder(const std::string& folder);

// The Program Files folders in lower case without a trailing backslash: the one this 32-bit
// program is shown (CSIDL 38) and, on 64-bit Windows, the native one, each also in its
// canonical form.
std::vector<std::string> ProgramFilesFolders();
