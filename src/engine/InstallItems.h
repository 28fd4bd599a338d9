#pragma once
// The reading phase of the install run: every payload item it will write, read into memory
// before the first file is written, each step in the run log.

#include <cstdint>
#include <string>
#include <vector>

// One item as the reader gave it; empty data means the item was unreadable.
struct InstallItem {
  std::string data;
  std::string fileName;
  std::int32_t fileDate = 0;  // packed local date-time, date in the high word
};

struct InstallItems {
  std::vector<InstallItem> items;
  std::int64_t totalBytes = 0;
  // One line per unreadable item: "Error Reading resource item <item>, Filename <name>".
  std::vector<std::string> errors;
};

// Reads the first `count` items of the "," separated list in order. An item that yields no
// bytes is listed in `errors` and reading goes on. A missing or damaged item (whatever the
// reader raises, memory for it included) ends the reading with EInstallerDamaged, after the
// same message has gone to the log.
InstallItems ReadInstallItems(std::string list, int count);
