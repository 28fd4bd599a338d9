#pragma once
// From the record path on the command line to a target the run may act on: the record read
// from its file, its Install_Dir the very folder it lies in, and that folder none of the
// system's own. Anything else is refused before a single file is touched.

#include <optional>
#include <string>
#include <vector>

#include "uninstall/UninstallRun.h"

struct TargetLoading {
  std::optional<UninstallTarget> target;
  std::string error;  // why the record is refused
};

TargetLoading LoadUninstallTarget(const std::string& recordPath, const std::string& programPath);
