#include "support/run/ProcessCommandLine.h"

#include <windows.h>

#include "support/win/AnsiText.h"

const CommandLine& ProcessCommandLine() {
  static const CommandLine commandLine(::GetCommandLineA());
  return commandLine;
}

bool CommandLineIsAnsi() { return ExactAnsi(::GetCommandLineW()).has_value(); }
