#pragma once
// What the uninstaller asks of the file system about the install folder: files matching a
// pattern (by long name only), a file's size, and whether a path the system resolves still
// lies inside the folder without passing a junction or link.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct FoundFile {
  std::string path;
  std::uint64_t bytes = 0;
};

// Files (not folders) directly in `folder` (with its trailing backslash) whose long names
// match `pattern`, in the order the system lists them.
std::vector<FoundFile> MatchingFiles(const std::string& folder, const std::string& pattern);

// Size of an existing file; nullopt for a missing path or a folder.
std::optional<std::uint64_t> FileBytes(const std::string& path);

// Whether `path`, made full by the system, lies below `installDir`, and no folder on the way
// down from it (nor the file itself) is a reparse point that could lead elsewhere.
bool StaysInside(const std::string& path, const std::string& installDir);
