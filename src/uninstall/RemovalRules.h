#pragma once
// How the uninstaller reads the record's lists, and the rules that keep it inside the install
// folder. Uninstallers have wiped whole drives by trusting their lists, so every entry is
// checked as text before it becomes a path: it must be relative to the install folder and stay
// below it, and a pattern may only match names in one folder. What is refused is named with
// its reason, logged and reported; nothing is ever removed recursively.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Why a list entry is refused, "" when it is safe. An entry is a path relative to the install
// folder: no leading "\" or "/", no drive letter, no ":" (a stream or a drive), no ".." or "."
// step, no empty step, every step a plain name. With `pattern`, "*" and "?" may appear in its
// last step, which must then hold at least one other character unless the pattern lies in a
// sub-folder ("*" or "*.*" alone would take every file of the install folder).
std::string EntryRefusal(std::string_view entry, bool pattern = false);

// Case-insensitive match of a whole file name against a pattern of "*" (any run, also empty)
// and "?" (exactly one character). Only long names are matched: the system's own search would
// also match short 8.3 names ("*.wlb" finding "notes.wlbackup" by its short name).
bool MatchesPattern(std::string_view pattern, std::string_view name);
bool HasWildcard(std::string_view text);

// Rename_List "X|Y": when Y exists and X does not, Y is renamed back to X.
struct RenameEntry {
  std::string original;  // X
  std::string renamed;   // Y
  std::string refusal;
};
RenameEntry ParseRenameEntry(std::string_view entry);

// Conditional_list group "A,B,..|P,Q,..": when none of A, B, ... exists in the install folder,
// the files matching P, Q, ... are removed.
struct ConditionalGroup {
  std::vector<std::string> required;
  std::vector<std::string> patterns;
  std::string refusal;
};
ConditionalGroup ParseConditionalGroup(std::string_view group);

// Extra_List entry "name-or-pattern[|N]": with N, a file is removed only when it holds at most
// N KiB (a larger one holds the user's data).
struct ExtraEntry {
  std::string pattern;
  std::optional<std::uint64_t> maxBytes;
  std::string refusal;
};
ExtraEntry ParseExtraEntry(std::string_view entry);

// Whether the path begins with a drive root ("x:\" or "x:/"): not relative, not a share, not a
// device or verbatim path.
bool IsDrivePath(std::string_view path);

// Why an install folder may not be removed from, as words that follow "it"; "" when it may.
// `folder` is absolute in its canonical long form; `protectedFolders` are the system's own
// folders (Windows, Program Files, the user profile and its parent, ...). Refused: a text the
// installer's own folder rules refuse (a share or device path, a drive root, a part that is no
// plain name; only the length limit is not applied, the folder exists already), and a folder
// that is one of the protected folders or lies above one.
std::string InstallFolderRefusal(std::string_view folder, const std::vector<std::string>& protectedFolders);

// Whether `path` lies below `folder` (in any letter case; not the folder itself).
bool LiesInside(std::string_view path, std::string_view folder);

// The sub-folder part of a relative entry ("dosbox\" of "dosbox\*.*"), "" for a bare name.
std::string SubFolderOf(std::string_view entry);
