#pragma once
// The file steps of one uninstall, worked out before the first one is taken (so that the
// progress window knows the total), in the order they run: Rename_List, File_List,
// Conditional_list, Extra_List, then the install run's "<name>.qlx-new" and "<name>.qlx-new.<pid>"
// leftovers.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "product/RecordReader.h"
#include "uninstall/InstalledFiles.h"
#include "uninstall/RemovalTally.h"

struct RemovalStep {
  enum class Kind { Rename, Delete };
  Kind kind = Kind::Delete;
  std::string path;
  std::string renameTo;  // Rename: the name Y goes back to
  std::uint64_t bytes = 0;
  // Delete only when the file holds at most this many bytes: the smallest Extra_List "|N" that
  // matches it, whichever list planned the step.
  std::optional<std::uint64_t> maxBytes;
  // Delete only while none of these files exists (Conditional_list), checked again at the step.
  std::vector<std::string> unlessPresent;
};

// `leftForLast` (the running program and the
// record) are never steps: the finishing copy removes them. Refused entries go to `tally`.
std::vector<RemovalStep> PlanFileRemoval(const UninstallRecordData& record, const InstalledFiles& files,
                                         const std::vector<std::string>& leftForLast, RemovalTally& tally);
