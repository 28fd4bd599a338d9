#pragma once
// Rules for one step of a path (a file or folder name) that must name a file in its folder and
// nothing else: shared by the payload reader's stored names and the uninstaller's lists.

#include <optional>
#include <string_view>

// The system opens a device, not a file in the folder, for these names in any folder and with
// any extension ("nul.txt", "COM1.dat").
bool IsDeviceName(std::string_view name) noexcept;

// A name that the system opens as itself: not empty, no "\", "/", ":" or other character a
// file name cannot hold, no control character, no trailing dot or blank (the system drops
// them, so "x.exe." would be "x.exe" and ".. " would be ".."), no lead byte of a double-byte
// character alone at the end, not a device name. With
// `wildcards`, "*" and "?" may appear (a name pattern).
bool IsPlainName(std::string_view name, bool wildcards = false) noexcept;

// What a file is called while it is written beside its destination, before it takes the
// destination's name.
inline constexpr char kReplacementSuffix[] = ".qlx-new";

// The name a leftover of a run that stopped halfway belongs to: "<name>" for "<name>.qlx-new"
// and for "<name>.qlx-new.<digits>" (a file stopped before it took the first of these names),
// in any letter case; nothing for any other name.
std::optional<std::string_view> LeftoverOwner(std::string_view name) noexcept;
