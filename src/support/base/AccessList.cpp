#include "support/base/AccessList.h"

#include <array>
#include <utility>

#include "support/base/Text.h"

namespace {

// The two-letter names of well-known accounts this reading needs, with their SIDs.
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kAccountNames{{
    {"WD", "S-1-1-0"},       // Everyone
    {"AU", "S-1-5-11"},      // Authenticated Users
    {"BU", "S-1-5-32-545"},  // Users
    {"IU", "S-1-5-4"},       // Interactive
    {"BA", "S-1-5-32-544"},  // Administrators
    {"SY", "S-1-5-18"},      // Local System
    {"AN", "S-1-5-7"},       // Anonymous
    {"CO", "S-1-3-0"},       // Creator Owner
    {"OW", "S-1-3-4"},       // Owner Rights
    {"TI", "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"},  // TrustedInstaller
}};

constexpr std::string_view kSystem = "S-1-5-18";
constexpr std::string_view kAdministrators = "S-1-5-32-544";
constexpr std::string_view kTrustedInstaller = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
constexpr std::string_view kCreatorOwner = "S-1-3-0";
constexpr std::string_view kOwnerRights = "S-1-3-4";

// Rights letters: the file names and the generic ones the system writes, and the directory
// object letters it writes for other combinations.
constexpr std::array<std::pair<std::string_view, std::uint32_t>, 21> kRightsLetters{{
    {"FA", 0x1f01ff}, {"FR", 0x120089}, {"FW", 0x120116}, {"FX", 0x1200a0}, {"GA", 0x10000000},
    {"GR", 0x80000000}, {"GW", 0x40000000}, {"GX", 0x20000000}, {"SD", 0x10000}, {"RC", 0x20000},
    {"WD", 0x40000}, {"WO", 0x80000}, {"CC", 0x1}, {"DC", 0x2}, {"LC", 0x4},
    {"SW", 0x8}, {"RP", 0x10}, {"WP", 0x20}, {"DT", 0x40}, {"LO", 0x80},
    {"CR", 0x100},
}};

// Add a file, add a folder, delete inside, delete, change permissions, change owner, and the
// generic write and all.
constexpr std::uint32_t kChangeRights = 0x2 | 0x4 | 0x40 | 0x10000 | 0x40000 | 0x80000 | 0x40000000 | 0x10000000;
// Delete inside, and the generic all that holds it.
constexpr std::uint32_t kReplaceEntryRights = 0x40 | 0x10000000;

std::optional<std::string> SidOf(std::string_view text) {
  if (text.substr(0, 2) == "S-") return std::string(text);
  for (const auto& [name, sid] : kAccountNames)
    if (text == name) return std::string(sid);
  return std::nullopt;
}

std::optional<std::uint32_t> RightsOf(std::string_view text) {
  if (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X") {
    if (text.size() == 2 || text.size() > 10) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text.substr(2)) {
      const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (digit < 0) return std::nullopt;
      value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
  }
  std::uint32_t value = 0;
  for (std::size_t at = 0; at < text.size(); at += 2) {
    bool known = false;
    for (const auto& [letters, bits] : kRightsLetters)
      if (text.substr(at, 2) == letters) {
        value |= bits;
        known = true;
      }
    if (!known) return std::nullopt;
  }
  return value;
}

// "type;flags;rights;object;inherited object;sid"
std::optional<AccessEntry> ParseEntry(std::string_view text) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t cut = text.find(';', start);
    fields.push_back(text.substr(start, cut == std::string_view::npos ? std::string_view::npos : cut - start));
    if (cut == std::string_view::npos) break;
    start = cut + 1;
  }
  if (fields.size() != 6 || (fields[0] != "A" && fields[0] != "D")) return std::nullopt;
  AccessEntry entry;
  entry.allow = fields[0] == "A";
  for (std::size_t at = 0; at < fields[1].size(); at += 2) {
    const std::string_view flag = fields[1].substr(at, 2);
    if (flag == "ID") entry.inheritedFrom = true;
    else if (flag == "CI") entry.toFolders = true;
    else if (flag == "OI") entry.toFiles = true;
    else if (flag == "NP") entry.noPropagate = true;
    else if (flag == "IO") entry.inheritOnly = true;
    else if (flag != "SA" && flag != "FA") return std::nullopt;
  }
  const auto rights = RightsOf(fields[2]);
  const auto sid = SidOf(fields[5]);
  if (!rights || !sid) return std::nullopt;
  entry.rights = *rights;
  entry.sid = *sid;
  return entry;
}

// Whether the account is someone but the user: `ownerIsUser` says whom OWNER RIGHTS stands for.
bool IsOther(std::string_view sid, std::string_view userSid, bool ownerIsUser) {
  if (sid == userSid || sid == kSystem || sid == kAdministrators || sid == kTrustedInstaller || sid == kCreatorOwner)
    return false;
  return sid != kOwnerRights || !ownerIsUser;
}

bool GivesOthers(const AccessEntry& entry, std::uint32_t rights, std::string_view userSid, bool ownerIsUser) {
  return entry.allow && (entry.rights & rights) && IsOther(entry.sid, userSid, ownerIsUser);
}

}  // namespace

std::optional<AccessList> ParseAccessList(std::string_view sddl) {
  AccessList list;
  bool sawDacl = false;
  std::size_t at = 0;
  while (at < sddl.size()) {
    if (sddl.size() - at < 2 || sddl[at + 1] != ':') return std::nullopt;
    const char part = sddl[at];
    at += 2;
    if (part == 'O' || part == 'G') {
      const std::size_t end = sddl.find(':', at);
      // The value runs to the next "X:" part.
      const std::size_t cut = end == std::string_view::npos ? sddl.size() : end - 1;
      if (part == 'O') {
        const auto sid = SidOf(sddl.substr(at, cut - at));
        if (!sid) return std::nullopt;
        list.owner = *sid;
      }
      at = cut;
    } else if (part == 'D') {
      sawDacl = true;
      const std::size_t open = sddl.find('(', at);
      const std::size_t next = sddl.find(':', at);
      const std::string_view flags = sddl.substr(at, std::min(open, next == std::string_view::npos ? sddl.size() : next - 1) - at);
      if (flags.find("NO_ACCESS_CONTROL") != std::string_view::npos) list.everyoneFull = true;
      at += flags.size();
      while (at < sddl.size() && sddl[at] == '(') {
        const std::size_t close = sddl.find(')', at);
        if (close == std::string_view::npos) return std::nullopt;
        const auto entry = ParseEntry(sddl.substr(at + 1, close - at - 1));
        if (!entry) return std::nullopt;
        list.entries.push_back(*entry);
        at = close + 1;
      }
    } else if (part == 'S') {
      // The audit list says nothing about who may change the folder.
      const std::size_t next = sddl.find(':', at);
      at = next == std::string_view::npos ? sddl.size() : next - 1;
    } else {
      return std::nullopt;
    }
  }
  if (!sawDacl) return std::nullopt;
  return list;
}

bool OwnedByUser(const AccessList& folder, std::string_view userSid) {
  return !folder.owner.empty() && (folder.owner == userSid || folder.owner == kAdministrators);
}

bool PassesChangeRightsToNewFolders(const AccessList& parent, std::string_view userSid) {
  if (parent.everyoneFull || LetsOthersReplaceEntries(parent, userSid)) return true;
  for (const AccessEntry& entry : parent.entries) {
    // A files-only entry that stops one level down never reaches a folder's files.
    const bool reaches = entry.toFolders || (entry.toFiles && !entry.noPropagate);
    // The new folder is the user's: OWNER RIGHTS passed on to it are the user's own.
    if (reaches && GivesOthers(entry, kChangeRights, userSid, true)) return true;
  }
  return false;
}

bool LetsOthersReplaceEntries(const AccessList& parent, std::string_view userSid) {
  if (parent.everyoneFull) return true;
  const bool ownerIsUser = OwnedByUser(parent, userSid);
  for (const AccessEntry& entry : parent.entries)
    if (!entry.inheritOnly && GivesOthers(entry, kReplaceEntryRights, userSid, ownerIsUser)) return true;
  return false;
}

OthersMayChange WhoElseMayChange(const AccessList& folder, std::string_view userSid) {
  if (folder.everyoneFull) return OthersMayChange::Explicitly;
  const bool ownerIsUser = OwnedByUser(folder, userSid);
  OthersMayChange found = OthersMayChange::No;
  for (const AccessEntry& entry : folder.entries) {
    // An inherit-only entry is what the files and folders made inside get.
    if (entry.inheritOnly && !entry.toFiles && !entry.toFolders) continue;
    if (!GivesOthers(entry, kChangeRights, userSid, ownerIsUser)) continue;
    if (!entry.inheritedFrom) return OthersMayChange::Explicitly;
    found = OthersMayChange::OnlyThroughInheritance;
  }
  return found;
}
