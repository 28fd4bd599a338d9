#include "product/InstallFolder.h"

#include "product/Product.h"
#include "support/base/CodePage.h"
#include "support/base/FileNameRules.h"
#include "support/base/Format.h"
#include "support/base/Paths.h"

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
}  // namespace

FolderText JudgeFolderText(std::string_view text) {
  if (text.empty()) return FolderText::Blank;
  if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) return FolderText::NotOnDrive;
  const std::string bare = StripTrailingBackslashes(text);
  if (bare.size() == 2 && StartsWithDriveLetter(bare) && text.size() > 2) return FolderText::DriveRoot;
  if (!StartsWithDriveRoot(bare)) return FolderText::NotFull;
  if (bare.size() > kMaxInstallFolderLength) return FolderText::TooLong;
  // Each part must be a name the system keeps as written ("c:\zt." would be c:\zt, "c:\con"
  // a device, "c:\a\\b" has an empty part).
  std::string_view rest = std::string_view(bare).substr(3);
  while (true) {
    const auto slash = FindCharacter(rest, "\\");
    if (!IsPlainName(rest.substr(0, slash))) return FolderText::BadPart;
    if (slash == std::string_view::npos) return FolderText::Usable;
    rest.remove_prefix(slash + 1);
  }
}

std::string FolderTextWords(FolderText kind) {
  switch (kind) {
    case FolderText::Usable:
      return {};
    case FolderText::Blank:
      return "is blank";
    case FolderText::NotFull:
      return "is not a full path (one that begins with a drive, as c:\\zt does)";
    case FolderText::NotOnDrive:
      return "is a network or device path";
    case FolderText::DriveRoot:
      return "is the root of a drive";
    case FolderText::TooLong:
      return Format("is longer than %d characters", static_cast<int>(kMaxInstallFolderLength));
    case FolderText::BadPart:
      break;
  }
  return "has a part that is no plain folder name";
}

std::optional<InstallFolder> InstallFolder::FromText(std::string_view text, FolderText& kind, bool toWrite) {
  kind = JudgeFolderText(text);
  if (kind == FolderText::Usable || (!toWrite && kind == FolderText::TooLong)) return InstallFolder(text);
  return std::nullopt;
}

InstallFolder::InstallFolder(std::string_view given)
    : m_given(given),
      m_path(AddTrailingBackslash(StripTrailingBackslashes(given))),
      m_record(m_path + kUninstallRecordName),
      m_uninstaller(m_path + kUninstallExe) {}

std::string InstallFolder::UninstallCommand() const {
  return QuotedIfBlank(m_uninstaller) + " " + QuotedIfBlank(m_record);
}
