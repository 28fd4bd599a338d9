#pragma once
// How much of a run a person sees, for both programs: the interactive run, "/silent" (no main
// window or question; the progress window shows), "/verysilent" (no window at all), and
// "/suppressmsgboxes" (no dialog: questions take their default answer, reports go to the run
// log; "/verysilent" implies it).

enum class RunMode { Interactive, Silent, VerySilent };

struct RunSwitches {
  RunMode mode = RunMode::Interactive;
  bool suppressMsgBoxes = false;
  // "/log" anywhere on the lower-cased command line: the run log is written in any case.
  bool log = false;

  bool Unattended() const { return mode != RunMode::Interactive; }
};
