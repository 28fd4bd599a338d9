#pragma once
// The switches of unattended installs, each a whole argument in any position, in any case:
// "/silent" (no main window; the progress window shows), "/verysilent" (no window at all) and
// "/suppressmsgboxes" (no dialog: questions take their default answer, reports go to the run
// log). "/verysilent" implies "/suppressmsgboxes". And the exit codes of those runs (an
// interactive run always ends with 0).

#include "support/CommandLine.h"
#include "support/RunMode.h"

using Switches = RunSwitches;

Switches ReadSwitches(const CommandLine& commandLine);

inline constexpr int kExitInstalled = 0;
inline constexpr int kExitAnotherCopy = 1;
inline constexpr int kExitRefusedFolder = 2;
inline constexpr int kExitDamaged = 3;
inline constexpr int kExitFailed = 4;
inline constexpr int kExitCancelled = 5;
inline constexpr int kExitPartial = 6;
