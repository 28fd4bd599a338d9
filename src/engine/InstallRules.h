#pragma once
// Where each payload file goes, whether the uninstall record lists it, when an existing copy is
// kept, and what becomes of an existing install folder that others may change. Tests look only
// at the bare stored name and the item's position, letter case counting.

#include <cstdint>
#include <string>
#include <string_view>

#include "product/InstallFolder.h"
#include "support/base/AccessList.h"

// The folders of one install run, each with exactly one trailing backslash.
struct InstallFolders {
  explicit InstallFolders(const InstallFolder& installFolder);
  std::string install;
  std::string manuals;  // install + "manuals\"
  std::string tips;     // install + "tips\"
  std::string dosbox;   // install + "dosbox\"
};

// The first rule that matches: a name holding ".pdf" or beginning with "sumatra" goes to the
// manuals folder; one holding ".htm" (so also ".html") or ".mht" to the tips folder; a normal
// item (position below `normalFiles`) to the install folder; a DOSBox item to the dosbox folder.
std::string FileDestination(std::string_view fileName, int position, int normalFiles, const InstallFolders& folders);

// Whether File_List names the file of this position: only normal files, and with DOSBox
// installed not the last normal one either (the DOSBox configuration, which the record's
// conditional list lets the uninstaller remove together with DOSBox).
bool ListedInFileList(int position, int normalFiles, bool needsDosbox);

// Whether an existing file dated `existingDateTime` (a date-time value) is left in place of an
// item stamped `itemStamp` (a packed local date-time): when the item's day is not later than
// the file's. An item stamp that is no valid date never keeps the file.
bool ExistingFileIsNotOlder(std::uint32_t itemStamp, double existingDateTime);

enum class ExistingFolderStep {
  Keep,     // only its owner, administrators and the system may change it
  Protect,  // the user's own folder, open to others only through inheritance: protect it
  Warn,     // someone else's folder, or one opened to others on purpose: leave it, and say so
};
// What the run does with an existing install folder with this access list (OwnedByUser says
// whose folder is the user's own).
ExistingFolderStep DecideExistingFolder(const AccessList& folder, std::string_view userSid);
