#pragma once
// Links in the file system (symbolic links, junctions, mount points): the run writes nothing
// through one that another user may have put in its way.

#include <string>

// The code a write refused because of a link gives: "The create operation stopped after
// reaching a symbolic link."
inline constexpr unsigned long kStoppedOnLink = 681;

// True when the path exists and the system shows it as a reparse point.
bool IsReparsePoint(const std::string& path);

// True when `folder` or an existing folder between it and the file `path` below it is a
// reparse point. Folders above `folder` are not looked at: the user chose them (and Wine
// makes the user's own folders links to the home folder).
bool LinkOnTheWay(const std::string& folder, const std::string& path);
