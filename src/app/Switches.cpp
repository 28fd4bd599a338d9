#include "app/Switches.h"

#include "support/base/Text.h"

Switches ReadSwitches(const CommandLine& commandLine) {
  Switches switches;
  bool silent = false, verySilent = false;
  for (int i = 1; i <= commandLine.Count(); ++i) {
    const std::string arg = AsciiLower(commandLine.Arg(i));
    if (arg == "/silent") silent = true;
    if (arg == "/verysilent") verySilent = true;
    if (arg == "/suppressmsgboxes") switches.suppressMsgBoxes = true;
  }
  switches.log = commandLine.RawContainsLower("/log");
  switches.useDosbox = commandLine.RawContains("/usedosbox");
  if (verySilent) {
    switches.mode = RunMode::VerySilent;
    switches.suppressMsgBoxes = true;
  } else if (silent) {
    switches.mode = RunMode::Silent;
  }
  return switches;
}
