#pragma once
// What an installation leaves outside its files: the Del_if_Empty folders and the install
// folder, the Start-menu group and the desktop link, and the per-user uninstall entry. Each is
// touched only where it is provably this installation's own.

#include <string>

#include "product/RecordReader.h"
#include "uninstall/InstalledFiles.h"
#include "uninstall/RemovalTally.h"

// The Del_if_Empty sub-folders, then the install folder itself, each only when empty (never a
// recursive delete); a folder that is a link is left as it is.
void RemoveEmptyFolders(const UninstallRecordData& record, InstalledFiles& files, RemovalTally& tally);

// The group's two links (when they point into the install folder), then the group folder and
// its "corvane" parent when empty; only when Group_Folder is the user's Start-menu programs
// folder + "\corvane\Quillon\". The desktop link only as "qlx.lnk" in the user's desktop folder
// and only when it points into the install folder.
void RemoveShortcuts(const UninstallRecordData& record, const std::string& installDir, RemovalTally& tally);

// HKCU's uninstall entry, only while its "UnInstallString" names this record (a newer
// installation elsewhere owns it otherwise).
void RemoveUninstallEntry(const std::string& recordPath, RemovalTally& tally);
