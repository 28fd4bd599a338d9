#pragma once
// Folders: existence, creation with every missing level, and the shell's special folders.

#include <string>

// True when the path names an existing folder (one trailing backslash or none).
bool FolderIsPresent(const std::string& path);

// Makes sure the folder exists, creating missing levels parents first. A relative path (one
// that neither starts with "\" nor has ":" as its second character) is taken below the current
// folder. Only on success is `path` replaced by the (absolute) path; an empty path is false.
bool EnsureFolder(std::string& path);

// File-system path of a special folder by CSIDL number, without trailing backslash; "" when
// the shell has none.
std::string SpecialFolderPath(int csidl);
// False when the special folder's path holds characters outside the ANSI code page: the path
// SpecialFolderPath gives then names another folder, or none.
bool SpecialFolderIsExact(int csidl);
// The Program Files folder (CSIDL 38) in lower case, without trailing backslash.
std::string ProgramFilesFolder();
// The all-users documents folder (CSIDL 46) in lower case, with one trailing backslash.
std::string CommonDocumentsFolder();
