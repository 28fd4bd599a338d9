#include "uninstall/RemovalPlan.h"

#include <algorithm>

#include "support/base/Lists.h"
#include "support/base/Paths.h"
#include "support/base/Text.h"
#include "support/fs/Files.h"
#include "uninstall/InstalledFiles.h"
#include "uninstall/RemovalRules.h"

namespace {

// An Extra_List entry with "|N": a larger file it matches holds the user's data.
struct SizeLimit {
  std::string folder;  // lower case, with its trailing backslash
  std::string pattern;
  std::uint64_t maxBytes = 0;
};

// The install folder as it will be once the planned steps have run.
class PlannedState {
 public:
  PlannedState(const InstalledFiles& files, const std::vector<std::string>& leftForLast, std::vector<SizeLimit> limits)
      : m_files(files), m_limits(std::move(limits)) {
    for (const std::string& path : leftForLast) m_untouchable.push_back(AsciiLower(path));
  }

  bool Present(const std::string& path) const {
    const std::string key = AsciiLower(path);
    if (Contains(m_appearing, key)) return true;
    return m_files.Present(path) && !Contains(m_planned, key);
  }
  bool Plannable(const std::string& path) const {
    const std::string key = AsciiLower(path);
    return !Contains(m_planned, key) && !Contains(m_untouchable, key);
  }

  // Whichever list reaches a file, every size limit that matches it applies: the smallest wins.
  void AddDelete(std::string path, std::uint64_t bytes, std::vector<std::string> unlessPresent = {}) {
    if (!Plannable(path)) return;
    std::optional<std::uint64_t> maxBytes;
    const std::string folder = AsciiLower(FolderPart(path));
    for (const SizeLimit& limit : m_limits)
      if (limit.folder == folder && MatchesPattern(limit.pattern, NamePart(path)))
        maxBytes = std::min(maxBytes.value_or(limit.maxBytes), limit.maxBytes);
    m_planned.push_back(AsciiLower(path));
    m_steps.push_back({RemovalStep::Kind::Delete, std::move(path), {}, bytes, maxBytes, std::move(unlessPresent)});
  }
  void AddRename(const std::string& from, const std::string& to, std::uint64_t bytes) {
    m_planned.push_back(AsciiLower(from));
    m_appearing.push_back(AsciiLower(to));
    m_steps.push_back({RemovalStep::Kind::Rename, from, to, bytes, {}, {}});
  }
  // Every file matching the entry (a name or a pattern, in the folder or its sub-folder).
  void AddMatches(const std::string& entry, const std::vector<std::string>& unlessPresent = {}) {
    for (FoundFile& file : m_files.Matching(Dir() + SubFolderOf(entry), NamePart(entry)))
      AddDelete(std::move(file.path), file.bytes, unlessPresent);
  }

  const InstalledFiles& Files() const { return m_files; }
  const std::string& Dir() const { return m_files.Dir(); }
  std::vector<RemovalStep> TakeSteps() { return std::move(m_steps); }

 private:
  static bool Contains(const std::vector<std::string>& set, const std::string& key) {
    return std::find(set.begin(), set.end(), key) != set.end();
  }

  const InstalledFiles& m_files;
  std::vector<SizeLimit> m_limits;
  std::vector<std::string> m_untouchable;
  std::vector<std::string> m_planned;
  std::vector<std::string> m_appearing;
  std::vector<RemovalStep> m_steps;
};

void PlanRenames(const UninstallRecordData& record, PlannedState& state, RemovalTally& tally) {
  for (const std::string& entry : ListItems(record.renameList, ',')) {
    const RenameEntry rename = ParseRenameEntry(entry);
    if (!rename.refusal.empty()) {
      tally.Refused("Rename_List", entry, rename.refusal);
      continue;
    }
    const std::string from = state.Dir() + rename.renamed, to = state.Dir() + rename.original;
    if (state.Present(from) && !state.Present(to) && state.Plannable(from))
      state.AddRename(from, to, state.Files().Bytes(from).value_or(0));
  }
}

void PlanListedFiles(const UninstallRecordData& record, PlannedState& state, RemovalTally& tally) {
  for (const std::string& entry : ListItems(record.fileList, ',')) {
    const std::string refusal = EntryRefusal(entry);
    if (!refusal.empty()) {
      tally.Refused("File_List", entry, refusal);
      continue;
    }
    // In its long form: an entry that is the short name of the record or of the program is
    // still the file that goes last.
    const std::string path = state.Files().LongForm(state.Dir() + entry);
    if (const auto bytes = state.Files().Bytes(path)) state.AddDelete(path, *bytes);
  }
}

void PlanConditionalGroups(const UninstallRecordData& record, PlannedState& state, RemovalTally& tally) {
  for (const std::string& text : ListItems(record.conditionalList, ';')) {
    const ConditionalGroup group = ParseConditionalGroup(text);
    if (!group.refusal.empty()) {
      tally.Refused("Conditional_list", text, group.refusal);
      continue;
    }
    std::vector<std::string> required;
    for (const std::string& name : group.required) required.push_back(state.Dir() + name);
    if (std::any_of(required.begin(), required.end(), [&](const std::string& p) { return state.Present(p); }))
      continue;
    for (const std::string& pattern : group.patterns) state.AddMatches(pattern, required);
  }
}

// Extra_List's entries, each read once.
struct ExtraListEntry {
  std::string text;
  ExtraEntry parsed;
};

std::vector<ExtraListEntry> ReadExtraList(const UninstallRecordData& record) {
  std::vector<ExtraListEntry> entries;
  for (std::string& entry : ListItems(record.extraList, ',')) {
    ExtraEntry parsed = ParseExtraEntry(entry);
    entries.push_back({std::move(entry), std::move(parsed)});
  }
  return entries;
}

void PlanExtraFiles(const std::vector<ExtraListEntry>& extras, PlannedState& state, RemovalTally& tally) {
  for (const ExtraListEntry& extra : extras) {
    if (!extra.parsed.refusal.empty()) {
      tally.Refused("Extra_List", extra.text, extra.parsed.refusal);
      continue;
    }
    state.AddMatches(extra.parsed.pattern);
  }
}

// What an install run that stopped halfway left beside its files.
void PlanLeftovers(const UninstallRecordData& record, PlannedState& state) {
  const std::string pattern = std::string("*") + kReplacementSuffix + "*";
  std::vector<std::string> folders{state.Dir()};
  for (const std::string& folder : ListItems(record.delIfEmpty, ','))
    if (EntryRefusal(folder).empty()) folders.push_back(state.Dir() + AddTrailingBackslash(folder));
  for (const std::string& folder : folders)
    for (FoundFile& file : state.Files().Matching(folder, pattern))
      if (LeftoverOwner(file.path)) state.AddDelete(std::move(file.path), file.bytes);
}

}  // namespace

std::vector<RemovalStep> PlanFileRemoval(const UninstallRecordData& record, const InstalledFiles& files,
                                         const std::vector<std::string>& leftForLast, RemovalTally& tally) {
  const std::string& installDir = files.Dir();
  const std::vector<ExtraListEntry> extras = ReadExtraList(record);
  std::vector<SizeLimit> limits;
  for (const ExtraListEntry& entry : extras) {
    const ExtraEntry& extra = entry.parsed;
    if (extra.refusal.empty() && extra.maxBytes)
      limits.push_back({AsciiLower(installDir + SubFolderOf(extra.pattern)), NamePart(extra.pattern), *extra.maxBytes});
  }
  PlannedState state(files, leftForLast, std::move(limits));
  PlanRenames(record, state, tally);
  PlanListedFiles(record, state, tally);
  PlanConditionalGroups(record, state, tally);
  PlanExtraFiles(extras, state, tally);
  PlanLeftovers(record, state);
  return state.TakeSteps();
}
