#pragma once
// The install folder made, or found, so that other users of the machine cannot replace the
// programs the shortcuts and the uninstall entry run, nor put a DLL beside them.
//
// A folder the run makes at the top of the missing levels gets the protected access list when
// it lies directly in a drive root or when its parent would pass change rights on to other
// users; the levels below inherit from it. An existing folder of the user's own that others
// may change only through inheritance is protected too; someone else's folder, or one opened
// to others on purpose, stays as it is, and the run says so.

#include <cstdint>
#include <functional>
#include <string>

#include "support/fs/ProtectedFolder.h"

struct InstallFolderAccess {
  // A protected access list that could not be set (0 otherwise): nothing is to be installed.
  std::uint32_t error = 0;
  // The folder stays open to changes by other users: the closing report says so.
  bool othersMayChange = false;
  // Its drive keeps no access lists (FAT, exFAT): nothing was protected, and the report says so.
  bool cannotProtect = false;
};

// Whether the volume of a path keeps access lists (a seam: Wine's drives all do).
using AccessListsKept = std::function<bool(const std::string& path)>;

// `installFolder` carries its trailing backslash. Logs what it did. A folder whose access list
// (or whose parent's) cannot be read counts as open to others.
InstallFolderAccess PrepareInstallFolder(const std::string& installFolder,
                                         const AccessListsKept& listsKept = VolumeKeepsAccessLists);
