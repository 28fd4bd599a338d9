#pragma once
// The switches of unattended installs, each a whole argument in any position, in any case:
// "/silent" (no main window; the progress window shows), "/verysilent" (no window at all) and
// "/suppressmsgboxes" (no dialog: questions take their default answer, reports go to the run
// log). "/verysilent" implies "/suppressmsgboxes". The exit codes of those runs are in
// product/ExitCodes.h.

#include "product/ExitCodes.h"
#include "support/base/CommandLine.h"
#include "support/run/RunMode.h"

// The installer's: the run's switches, and "/usedosbox" (a case-sensitive substring of the raw
// command line: DOSBox is installed whatever the machine).
struct Switches : RunSwitches {
  bool useDosbox = false;
};

Switches ReadSwitches(const CommandLine& commandLine);

