#pragma once
// The reading phase of the install run: every payload item it will write is read and checked
// before the first file is put in place, each step in the run log. A file's bytes are not kept
// in memory: they are written, as the item is read, to a staged file beside the file's
// destination, which the writing phase puts in place. Staged files that are not put in place
// are removed when the items go.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/StagedFile.h"

struct InstallItem {
  std::string fileName;
  std::int32_t fileDate = 0;  // packed local date-time, date in the high word
  std::uint64_t size = 0;     // the file's length; 0 means the item was unreadable
  // The file's bytes beside its destination (Error() says why there are none); empty for an
  // unreadable item.
  std::optional<StagedFile> staged;
};

struct InstallItems {
  std::vector<InstallItem> items;
  std::int64_t totalBytes = 0;
  // One line per unreadable item: "Error Reading resource item <item>, Filename <name>".
  std::vector<std::string> errors;
};

// Where the reading phase puts each file: its destination from the stored name and position,
// and the staged file beside a destination under the name asked for (one refused from the
// start when nothing may be written there).
struct ItemPlacement {
  std::function<std::string(const std::string& fileName, int position)> destination;
  std::function<StagedFile(const std::string& destination, StagedFile::Name name)> stage;
};

// Where the file of each of the first `count` items goes, from the item's header alone (no body
// is read); "" for an item that is missing or whose header does not hold together, which the
// reading phase reports when it comes to it.
std::vector<std::string> ItemDestinations(std::string list, int count, const ItemPlacement& placement);

// Reads the first `count` items of the "," separated list in order. An item that yields no
// bytes is listed in `errors` and reading goes on. A missing or damaged item ends the reading
// with EInstallerDamaged, after the same message has gone to the log; a reading that runs out
// of memory ends with std::runtime_error saying so.
InstallItems ReadInstallItems(std::string list, int count, const ItemPlacement& placement);
