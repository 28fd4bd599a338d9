#pragma once
// The uninstaller's command line: `unins.exe <record path> [switches]`, as Windows passes an
// uninstall entry's command (the whole text, paths quoted or not, blanks included). Switches
// are whole words at the end of the line, in any letter case; they are taken off the end
// before the rest is read as the record's path.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "support/run/RunMode.h"

struct UninstallOptions {
  std::string recordPath;  // "" when the line names none
  bool silent = false;            // /SILENT: no question, the progress window
  bool verySilent = false;        // /VERYSILENT: no window at all
  bool suppressMsgBoxes = false;  // /SUPPRESSMSGBOXES: no dialog

  RunSwitches Switches() const;
};

// The finishing copy's line: `<copy> /SELFREMOVE=<process handle> <folder> <log> "<program
// path>|<record path>"`. The folder is the install folder the uninstaller held, the log the file
// it wrote ("-" for none), each named by its identity in the form "vvvvvvvv-hhhhhhhhllllllll".
struct SelfRemovalOptions {
  std::uintptr_t parentProcess = 0;
  std::string folderIdentity;
  std::string logIdentity;  // "" for none
  std::string programPath;
  std::string recordPath;
};

inline constexpr char kSelfRemoveSwitch[] = "/SELFREMOVE=";

// The arguments after the program's own path. A quoted program path ends at its closing
// quote; an unquoted one (which may hold blanks) at the first ".exe" followed by a blank or the
// end, otherwise at the first blank.
std::string ArgumentsAfterProgram(std::string_view raw);

UninstallOptions ParseUninstallArguments(std::string_view arguments);

// The finishing copy's arguments; nullopt when they are not of that form.
std::optional<SelfRemovalOptions> ParseSelfRemovalArguments(std::string_view arguments);
std::string SelfRemovalArguments(const SelfRemovalOptions& options);
