#include "support/ProcessCommandLine.h"

#include <windows.h>

const CommandLine& ProcessCommandLine() {
  static const CommandLine commandLine(::GetCommandLineA());
  return commandLine;
}
