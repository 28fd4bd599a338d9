#pragma once
// Reading the uninstall record "unins5100.dat": the "[Uninstall]" section's key=value lines.
// Keys are matched in any letter case; a missing key reads as an empty value (an empty list),
// unknown keys and lines of other sections are ignored. A record without its section head or
// without Install_Dir, one that holds a NUL byte, or one whose Install_Dir is not the folder
// the record lies in, is damaged: nothing may be removed on its word.

#include <functional>
#include <string>
#include <string_view>

struct UninstallRecordData {
  std::string guid;
  std::string programName;
  std::string installDir;
  std::string uninstallExe;
  std::string uninstallDat;
  std::string fileList;
  std::string extraList;
  std::string renameList;
  std::string conditionalList;
  std::string delIfEmpty;
  std::string groupFolder;
  std::string shortcuts;
};

struct RecordReading {
  UninstallRecordData data;
  std::string error;  // "" for a sound record
  bool Sound() const { return error.empty(); }
};

// Reads the record's text. `recordFolder` is the folder the record lies in (with or without its
// trailing backslash); Install_Dir must be a path on a drive ("x:\...", refused by its text
// otherwise, before `canonical` sees it) and name that folder, in any letter case, once
// `canonical` (when given: the system's long form of a folder) has been applied to it.
using FolderCanonicaliser = std::function<std::string(const std::string&)>;
RecordReading ReadUninstallRecord(std::string_view text, std::string_view recordFolder,
                                  const FolderCanonicaliser& canonical = {});
