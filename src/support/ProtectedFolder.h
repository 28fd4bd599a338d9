#pragma once
// Folders that other users may read and run programs from but not change.

#include <string>

// True for "x:\" (or "x:" alone): a drive's root folder, where every authenticated user may
// make and change folders.
bool IsDriveRoot(const std::string& folder);

// Makes the folder (its parent must exist) with a protected access list, as the system gives
// its programs folder: full control for the user who runs this program, Administrators and
// SYSTEM; read and execute for Users; nothing inherited from the parent. False when the
// folder could not be made so (it is then not made at all).
bool CreateProtectedFolder(const std::string& path);
