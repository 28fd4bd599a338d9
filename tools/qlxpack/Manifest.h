#pragma once
// The packing manifest: one line per payload item,
//   <item name> <stored name> <source file> [YYYY-MM-DD [HH:MM[:SS]]]
// fields separated by blanks or tabs, a field in double quotes may hold blanks; "#" starts a
// comment line; blank lines are skipped. A relative source is looked up beside the manifest,
// then in each search folder in turn.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "qlxpack/DosDateTime.h"

struct ManifestEntry {
  int line = 0;
  std::string itemName;    // upper case, "RS_" + stem
  std::string storedName;  // bare file name, at most 30 characters
  std::string source;      // resolved path of an existing regular file
  std::optional<CivilDateTime> date;
};

// One line of the manifest is wrong; what() is "<manifest>:<line>: <reason>".
class EManifestError : public std::runtime_error {
 public:
  EManifestError(const std::string& manifest, int line, const std::string& reason);
};

// Reads and checks the whole manifest, sources included (present, readable, not empty, under
// 2 GiB).
std::vector<ManifestEntry> ReadManifest(const std::string& path, const std::vector<std::string>& searchFolders);

// "RS_" followed by one or more capitals, digits or underscores.
bool IsPayloadItemName(const std::string& upperName);
