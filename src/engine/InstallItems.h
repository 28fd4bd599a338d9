#pragma once
// The install plan and the reading phase of the install run. The plan says once where each
// item's file goes; every payload item the run will write is then read and checked before the
// first file is put in place, each step in the run log. A file's bytes are not kept in memory:
// they are written, as the item is read, to a staged file beside the file's planned
// destination, which the writing phase puts in place. Staged files that are not put in place
// are removed when the items go.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/InstallRules.h"
#include "support/fs/StagedFile.h"

// One payload item of the run and where its file goes: from the item's header alone (no body
// is read); "" for an item that is missing or whose header does not hold together, which the
// reading phase reports when it comes to it.
struct PlannedItem {
  std::string name;
  std::string destination;
};

// The first `count` items of the "," separated list, each with its destination in `folders`
// (the first `normalFiles` are the normal files, the rest DOSBox's).
std::vector<PlannedItem> PlanInstall(std::string list, int count, int normalFiles, const InstallFolders& folders);

struct InstallItem {
  std::string fileName;
  std::string destination;  // as planned
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

// Reads the first `count` items of the plan in order, each file staged beside its destination
// (a staged file refused from the start where a link lies on the way from the install folder:
// the files go into the install folder and nowhere else). An item that yields no bytes is
// listed in `errors` and reading goes on. A missing or damaged item ends the reading with
// EInstallerDamaged, after the same message has gone to the log; a reading that runs out of
// memory ends with std::runtime_error saying so.
InstallItems ReadInstallItems(const std::vector<PlannedItem>& plan, int count, const InstallFolders& folders);
