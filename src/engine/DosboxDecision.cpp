#include "engine/DosboxDecision.h"

#include <algorithm>

#include <windows.h>

#include "support/base/Paths.h"
#include "support/base/Text.h"
#include "support/fs/Files.h"
#include "support/fs/Folders.h"
#include "support/run/RunLog.h"
#include "support/win/System.h"
#include "support/win/UniqueHandle.h"

namespace {

constexpr int kCsidlProgramFiles = 38;

// First folder below Program Files that holds dosbox.exe; "" when none.
std::string SearchProgramFiles() {
  const std::string programFiles = AsciiLower(AddTrailingBackslash(SpecialFolderPath(kCsidlProgramFiles)));
  WIN32_FIND_DATAA entry{};
  UniqueFindHandle listing(::FindFirstFileA((programFiles + "*.*").c_str(), &entry));
  if (!listing) return {};
  do {
    if (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    entry.cFileName[MAX_PATH - 1] = '\0';
    const std::string name = AsciiLower(entry.cFileName);
    if (name.find("dosbox") == std::string::npos) continue;
    std::string candidate = programFiles + AddTrailingBackslash(name) + "dosbox.exe";
    if (FileIsPresent(candidate)) return candidate;
  } while (::FindNextFileA(listing.get(), &entry));
  return {};
}

}  // namespace

bool FindDosbox(const std::string& installFolder, const std::vector<std::string>& dosboxFiles, std::string& path) {
  LogText("FindDosbox.started");
  std::string candidate = installFolder + "dosbox\\dosbox.exe";
  const bool whole = FileIsPresent(candidate) && std::all_of(dosboxFiles.begin(), dosboxFiles.end(), FileIsPresent);
  if (!whole) candidate = SearchProgramFiles();
  path = candidate;
  LogFormat("FindDosbox = %s: <%s>", BoolText(!candidate.empty()), candidate);
  return !candidate.empty();
}

bool NeedsDosbox(bool forced, const std::string& installFolder, const std::vector<std::string>& dosboxFiles) {
  if (forced) return true;
  if (!RunningOnWow64()) return false;
  std::string found;
  return !FindDosbox(installFolder, dosboxFiles, found);
}
