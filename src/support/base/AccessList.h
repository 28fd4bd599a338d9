#pragma once
// Who may change a folder, read from its security descriptor in the system's text form (SDDL:
// "O:<owner>D:<flags>(<entry>)(<entry>)..."). Portable: the Windows side only turns a folder's
// descriptor into that text; what the installer does about it is the engine's
// (DecideExistingFolder).
//
// "Other users" are everyone but the user who runs the installer, the system, Administrators
// and TrustedInstaller (CREATOR OWNER stands for whoever makes an entry, so the user; OWNER
// RIGHTS for the owner). "Change" is any right to add, delete or replace what the folder holds
// or to change its permissions or owner. A list this reading cannot read to the end (an account
// alias it does not know, an object or conditional entry) is no list: the caller treats the
// folder as open to others.

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
  bool toFiles = false;        // "OI": passed on to files made inside
  bool noPropagate = false;    // "NP": passed on one level only
  bool inheritOnly = false;    // "IO": for what is made inside, not for this folder
  std::string sid;             // in "S-1-..." form
};

struct AccessList {
  std::string owner;  // in "S-1-..." form, "" when not given
  bool everyoneFull = false;  // no access list at all: everyone may do anything
  std::vector<AccessEntry> entries;
};

// Nothing when the text is no security descriptor this reading knows.
std::optional<AccessList> ParseAccessList(std::string_view sddl);

// Whether a folder made inside this one, or the files in it, would give other users change
// rights, or others may rename away what this folder holds (delete-child or full rights on it).
bool PassesChangeRightsToNewFolders(const AccessList& parent, std::string_view userSid);

// Whether others may delete or rename what this folder holds (delete-child or full rights on the
// folder itself): they could put a folder of their own in the place of one inside.
bool LetsOthersReplaceEntries(const AccessList& parent, std::string_view userSid);

// Who else may change the folder or what is made in it (entries passed on to files and folders
// made inside count, inherit-only ones too).
enum class OthersMayChange { No, OnlyThroughInheritance, Explicitly };
OthersMayChange WhoElseMayChange(const AccessList& folder, std::string_view userSid);

// Whether the folder is the user's own: owned by the user or by Administrators (an elevated run).
bool OwnedByUser(const AccessList& folder, std::string_view userSid);
