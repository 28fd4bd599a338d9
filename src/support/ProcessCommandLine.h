#pragma once
// The command line of this process, captured once from the system at first use.

#include "support/CommandLine.h"

const CommandLine& ProcessCommandLine();
