#pragma once
// From the record path on the command line to a target the run may act on: the record's folder
// opened from the path as given (made full, never lowered: a lowered text may name a sibling
// that differs only in case) and held, the record read through that hold, its Install_Dir the
// very folder held (the same volume and file index, not only the same text), and that folder
// none of the system's own. Anything else is refused before a single file is touched.

#include <optional>
#include <string>
#include <vector>

#include "support/fs/HeldFolder.h"
#include "uninstall/UninstallRun.h"

struct TargetLoading {
  std::optional<UninstallTarget> target;
  std::optional<HeldFolder> folder;  // the install folder, held, with a target
  std::string recordAsGiven;          // the record's full path as given, with a target
  std::string error;                  // why the record is refused
};

TargetLoading LoadUninstallTarget(const std::string& recordPath, const std::string& programPath);
