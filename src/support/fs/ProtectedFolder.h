#pragma once
// Folders that other users may read and run programs from but not change.

#include <cstdint>
#include <optional>
#include <string>

// True for "x:\" (or "x:" alone): a drive's root folder, where every authenticated user may
// make and change folders.
bool IsDriveRoot(const std::string& folder);

// The protected access list is the one the system gives its programs folder: full control for
// the user who runs this program, Administrators and SYSTEM; read and execute for Users;
// nothing inherited from the parent.

// Makes the folder (its parent must exist) with the protected access list: 0, or the system's
// error code when it could not be made so (it is then not made at all).
std::uint32_t CreateProtectedFolder(const std::string& path);

// Gives an existing folder the protected access list (the files and folders in it inherit it):
// 0 or the system's error code.
std::uint32_t ProtectFolder(const std::string& path);

// The folder's owner and access list in the system's text form; nothing when unreadable.
std::optional<std::string> FolderAccessText(const std::string& path);

// Whether the volume that holds `path` (a full drive path; the folder need not exist yet) keeps
// access lists. FAT and exFAT keep none: a list set there is ignored. False when the volume
// cannot be asked.
bool VolumeKeepsAccessLists(const std::string& path);

// The user of this process as SID text ("S-1-5-21-..."); "" when it cannot be read.
std::string CurrentUserSid();
