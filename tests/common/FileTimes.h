#pragma once
// File dates as tests set and read them, in local time.

#include <cstdint>
#include <string>

#include <windows.h>

// Sets a file's last-write time from a local time, plus `extraTicks` of 100 ns; false when it
// cannot.
bool SetLocalWriteTime(const std::string& path, const SYSTEMTIME& local, std::uint32_t extraTicks = 0);

// A file's last-write time in local time, packed as the file system packs dates (date in the
// high word, time in the low word, seconds halved); 0 when it cannot be read.
std::uint32_t PackedLocalWriteTime(const std::string& path);
