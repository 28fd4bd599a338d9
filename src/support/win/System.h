#pragma once
// Facts about the running system and process.

#include <stdexcept>
#include <string>

// Whether this 32-bit program runs on 64-bit Windows (under WOW64). False where the system
// has no such query; raises std::runtime_error("Bad process handle") when the query fails.
bool RunningOnWow64();

// Full path of the running program's file.
std::string OwnFilePath();
