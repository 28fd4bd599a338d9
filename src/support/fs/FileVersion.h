#pragma once
// Version texts from files' version records.

#include <cstdint>
#include <optional>
#include <string>

struct FixedFileVersion {
  std::uint16_t major = 0, minor = 0, release = 0, build = 0;
};

// The fixed file version of the file's version record; nothing for a file without one.
std::optional<FixedFileVersion> ReadFixedFileVersion(const std::string& path);

// "%d.%d.%d.%d" from the fixed file version of the file's version record; for a file without
// one, "date: " + the file's date in the locale's short date format.
std::string FileVersionText(const std::string& path);
// FileVersionText of the running program's own file.
std::string OwnVersionText();
