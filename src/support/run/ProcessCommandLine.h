#pragma once
// The command line of this process, captured once from the system at first use.

#include "support/base/CommandLine.h"

const CommandLine& ProcessCommandLine();

// False when the command line holds characters outside the ANSI code page: the ANSI form this
// program reads has them replaced by "?" or by a look-alike, so it names something else.
bool CommandLineIsAnsi();
