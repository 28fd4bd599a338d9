#pragma once
// Who may change a folder, read from its security descriptor in the system's text form (SDDL:
// "O:<owner>D:<flags>(<entry>)(<entry>)..."), and what the installer does about it. Portable:
// the Windows side only turns a folder's descriptor into that text.
//
// "Other users" are Everyone, Authenticated Users, Users and Interactive; "change" is any right
// to add, delete or replace what the folder holds or to change its permissions or owner.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct AccessEntry {
  bool allow = true;
  std::uint32_t rights = 0;
  bool inheritedFrom = false;  // "ID": taken from a folder above
  bool toFolders = false;      // "CI": passed on to folders made inside
  bool inheritOnly = false;    // "IO": for folders made inside, not for this one
  std::string sid;             // in "S-1-..." form
};

struct AccessList {
  std::string owner;  // in "S-1-..." form, "" when not given
  bool everyoneFull = false;  // no access list at all: everyone may do anything
  std::vector<AccessEntry> entries;
};

// Nothing when the text is no security descriptor this reading knows.
std::optional<AccessList> ParseAccessList(std::string_view sddl);

// Whether a folder made inside this one would give other users change rights.
bool PassesChangeRightsToNewFolders(const AccessList& parent);

enum class OthersMayChange { No, OnlyThroughInheritance, Explicitly };
OthersMayChange WhoElseMayChange(const AccessList& folder);

enum class ExistingFolderStep {
  Keep,     // only its owner, administrators and the system may change it
  Protect,  // the user's own folder, open to others only through inheritance: protect it
  Warn,     // someone else's folder, or one opened to others on purpose: leave it, and say so
};
ExistingFolderStep DecideExistingFolder(const AccessList& folder, std::string_view currentUserSid);
