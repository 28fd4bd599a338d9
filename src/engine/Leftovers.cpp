#include "engine/Leftovers.h"

#include <map>
#include <optional>
#include <set>

#include "support/base/CodePage.h"
#include "support/base/FileNameRules.h"
#include "support/base/Text.h"
#include "support/fs/HeldFolder.h"
#include "support/run/RunLog.h"

void RemoveLeftovers(const std::string& installFolder, const std::vector<std::string>& destinations) {
  std::string why;
  const std::optional<HeldFolder> held = HeldFolder::Open(installFolder, why);
  // A folder that cannot be held shows up in the run's own steps.
  if (!held) return;
  std::map<std::string, std::vector<HeldEntry>> listed;  // each sub-folder listed once
  std::set<std::string> leftovers;                      // two items may share a destination
  for (const std::string& destination : destinations) {
    if (destination.size() <= installFolder.size() || !destination.starts_with(installFolder)) continue;
    const std::string relative = destination.substr(installFolder.size());
    const std::size_t cut = FindLastCharacter(relative, "\\");
    const std::string folder = cut == std::string::npos ? std::string() : relative.substr(0, cut);
    const std::string name = AsciiLower(cut == std::string::npos ? relative : relative.substr(cut + 1));
    auto [entries, fresh] = listed.try_emplace(folder);
    if (fresh) entries->second = held->List(folder);
    for (const HeldEntry& entry : entries->second) {
      const auto owner = LeftoverOwner(entry.name);
      if (owner && !entry.folder && AsciiLower(*owner) == name)
        leftovers.insert(folder.empty() ? entry.name : folder + "\\" + entry.name);
    }
  }
  for (const std::string& leftover : leftovers) {
    const std::uint32_t error = held->RemoveFile(leftover);
    if (error == 0)
      LogFormat("InstallProgram.Leftover removed %s", installFolder + leftover);
    else
      LogFormat("InstallProgram.Leftover NOT removed %s (error %d)", installFolder + leftover, error);
  }
}
