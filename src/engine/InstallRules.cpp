#include "engine/InstallRules.h"

#include <cmath>

#include "support/base/DateTime.h"

InstallFolders::InstallFolders(const InstallFolder& installFolder)
    : install(installFolder.Path()),
      manuals(install + "manuals\\"),
      tips(install + "tips\\"),
      dosbox(install + "dosbox\\") {}

namespace {
bool Holds(std::string_view name, std::string_view part) { return name.find(part) != std::string_view::npos; }
}  // namespace

std::string FileDestination(std::string_view fileName, int position, int normalFiles, const InstallFolders& folders) {
  const std::string name(fileName);
  if (Holds(fileName, ".pdf") || fileName.starts_with("sumatra")) return folders.manuals + name;
  if (Holds(fileName, ".htm") || Holds(fileName, ".mht")) return folders.tips + name;
  if (position < normalFiles) return folders.install + name;
  return folders.dosbox + name;
}

bool ListedInFileList(int position, int normalFiles, bool needsDosbox) {
  return position < (needsDosbox ? normalFiles - 1 : normalFiles);
}

bool ExistingFileIsNotOlder(std::uint32_t itemStamp, double existingDateTime) {
  const auto itemDateTime = DateTimeFromDosDateTime(itemStamp);
  return itemDateTime && std::floor(*itemDateTime) <= std::floor(existingDateTime);
}

ExistingFolderStep DecideExistingFolder(const AccessList& folder, std::string_view userSid) {
  const OthersMayChange others = WhoElseMayChange(folder, userSid);
  if (others == OthersMayChange::No) return ExistingFolderStep::Keep;
  if (!OwnedByUser(folder, userSid)) return ExistingFolderStep::Warn;
  return others == OthersMayChange::OnlyThroughInheritance ? ExistingFolderStep::Protect : ExistingFolderStep::Warn;
}
