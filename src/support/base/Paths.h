#pragma once
// Path text rules. A folder that is joined with a file name carries exactly one trailing
// backslash; these are the only places where one is added or removed. Paths are plain 8-bit
// text with the backslash as separator; a drive colon also ends a folder part ("c:x.log").

#include <string>
#include <string_view>
#include <vector>

// "" stays ""; otherwise the result ends in exactly one backslash (c:\x\\\ -> c:\x\).
std::string AddTrailingBackslash(std::string_view path);
// Removes every trailing backslash (c:\ -> c:, "\\\" -> "").
std::string StripTrailingBackslashes(std::string_view path);

// Whether the path begins with a drive: an ASCII letter of either case and a colon ("c:x").
bool StartsWithDriveLetter(std::string_view path);
// Whether the path begins with a drive's root folder: "c:\".
bool StartsWithDriveRoot(std::string_view path);

// The folder part of a path: up to and including its last "\" or ":"; "" when it has neither.
std::string FolderPart(std::string_view path);
// The name after the folder part.
std::string NamePart(std::string_view path);
// Replaces the extension (from the last "." after the folder part) by `extension`, which
// includes its dot; a name without a dot gets the extension appended.
std::string ReplaceExtension(std::string_view path, std::string_view extension);

// A path that holds a blank, enclosed in double quotes so that a command line parser keeps it
// whole (and the system does not try "c:\my.exe" for "c:\my games\x.exe"); other paths as
// they are.
std::string QuotedIfBlank(std::string_view path);

// The first of `folders` that `folder` is or lies above, compared in any letter case; "" when
// there is none.
std::string FolderAtOrBelow(std::string_view folder, const std::vector<std::string>& folders);
