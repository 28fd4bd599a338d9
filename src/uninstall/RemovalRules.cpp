#include "uninstall/RemovalRules.h"

#include "product/InstallFolder.h"
#include "support/base/CodePage.h"
#include "support/base/FileNameRules.h"
#include "support/base/Lists.h"
#include "support/base/Paths.h"
#include "support/base/Text.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The steps between separators; a separator byte that ends a double-byte character is none.
std::vector<std::string_view> Steps(std::string_view path) {
  std::vector<std::string_view> steps;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); i = i == path.size() ? i + 1 : NextCharacter(path, i)) {
    if (i == path.size() || IsSeparator(path[i])) {
      steps.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return steps;
}

// The text's characters: one byte each, or a lead byte with the byte after it.
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> characters;
  for (size_t at = 0; at < text.size();) {
    const size_t next = NextCharacter(text, at);
    characters.push_back(text.substr(at, next - at));
    at = next;
  }
  return characters;
}

bool SameCharacter(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return a.size() == 1 && b.size() == 1 ? lower(a[0]) == lower(b[0]) : a == b;
}

// Why one step of a path is refused; "" when it is a plain name.
std::string StepRefusal(std::string_view step, bool wildcards) {
  if (step.empty()) return "empty path step";
  if (step == "..") return "\"..\" leaves the folder";
  if (step.find_first_not_of(". ") == std::string_view::npos) return "a step of only dots or blanks";
  if (IsDeviceName(step)) return "device name";
  if (!wildcards && HasWildcard(step)) return "wildcard outside the file name";
  if (!IsPlainName(step, wildcards)) return "not a plain file name";
  return {};
}

std::string FirstRefusal(const std::vector<std::string>& entries, bool pattern) {
  for (const std::string& entry : entries) {
    std::string refusal = EntryRefusal(entry, pattern);
    if (!refusal.empty()) return entry + ": " + refusal;
  }
  return {};
}

}  // namespace

bool HasWildcard(std::string_view text) { return text.find_first_of("*?") != std::string_view::npos; }

std::string EntryRefusal(std::string_view entry, bool pattern) {
  if (entry.empty()) return "empty entry";
  if (IsSeparator(entry.front())) return "absolute path";
  if (StartsWithDriveLetter(entry)) return "drive letter";
  if (entry.find(':') != std::string_view::npos) return "\":\" names a stream or a drive";
  const std::vector<std::string_view> steps = Steps(entry);
  for (size_t i = 0; i < steps.size(); ++i) {
    const bool last = i + 1 == steps.size();
    std::string refusal = StepRefusal(steps[i], pattern && last);
    if (!refusal.empty()) return refusal;
  }
  const std::string_view name = steps.back();
  if (pattern && steps.size() == 1 && name.find_first_not_of("*?.") == std::string_view::npos)
    return "pattern matches every file of the install folder";
  return {};
}

bool MatchesPattern(std::string_view patternText, std::string_view nameText) {
  // By characters: "?" stands for one, also for a double-byte one.
  const std::vector<std::string_view> pattern = Characters(patternText), name = Characters(nameText);
  const auto is = [&pattern](size_t p, char c) { return pattern[p].size() == 1 && pattern[p][0] == c; };
  // Iterative glob with one back-tracking point: the last "*" seen.
  size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (is(p, '?') || (!is(p, '*') && SameCharacter(pattern[p], name[n])))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && is(p, '*')) {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && is(p, '*')) ++p;
  return p == pattern.size();
}

RenameEntry ParseRenameEntry(std::string_view entry) {
  RenameEntry parsed;
  const size_t bar = FindCharacter(entry, "|");
  if (bar == std::string_view::npos || FindCharacter(entry, "|", bar + 1) != std::string_view::npos) {
    parsed.refusal = "not of the form name|name";
    return parsed;
  }
  parsed.original = std::string(Trimmed(entry.substr(0, bar), " "));
  parsed.renamed = std::string(Trimmed(entry.substr(bar + 1), " "));
  parsed.refusal = FirstRefusal({parsed.original, parsed.renamed}, false);
  return parsed;
}

ConditionalGroup ParseConditionalGroup(std::string_view group) {
  ConditionalGroup parsed;
  const size_t bar = FindCharacter(group, "|");
  if (bar == std::string_view::npos || FindCharacter(group, "|", bar + 1) != std::string_view::npos) {
    parsed.refusal = "not of the form names|patterns";
    return parsed;
  }
  parsed.required = ListItems(group.substr(0, bar), ',');
  parsed.patterns = ListItems(group.substr(bar + 1), ',');
  if (parsed.required.empty() || parsed.patterns.empty()) {
    parsed.refusal = "a side of the group is empty";
    return parsed;
  }
  parsed.refusal = FirstRefusal(parsed.required, false);
  if (parsed.refusal.empty()) parsed.refusal = FirstRefusal(parsed.patterns, true);
  return parsed;
}

ExtraEntry ParseExtraEntry(std::string_view entry) {
  ExtraEntry parsed;
  const size_t bar = FindCharacter(entry, "|");
  parsed.pattern = std::string(Trimmed(entry.substr(0, bar), " "));
  if (bar != std::string_view::npos) {
    const std::string_view number = Trimmed(entry.substr(bar + 1), " ");
    // Up to 9 digits: at most about 1 TB, far from any overflow.
    if (number.empty() || number.size() > 9 || number.find_first_not_of("0123456789") != std::string_view::npos) {
      parsed.refusal = "size limit is not a number of KiB";
      return parsed;
    }
    parsed.maxBytes = std::stoull(std::string(number)) * 1024;
  }
  parsed.refusal = EntryRefusal(parsed.pattern, true);
  return parsed;
}

bool IsDrivePath(std::string_view path) {
  return path.size() >= 3 && StartsWithDriveLetter(path) && (path[2] == '\\' || path[2] == '/');
}

std::string InstallFolderRefusal(std::string_view folder, const std::vector<std::string>& protectedFolders) {
  FolderText kind;
  const std::optional<InstallFolder> usable = InstallFolder::FromText(folder, kind, false);
  if (!usable) return FolderTextWords(kind);
  if (const std::string guarded = FolderAtOrBelow(usable->Bare(), protectedFolders); !guarded.empty())
    return "is a system folder or one above it (" + guarded + ")";
  return {};
}

bool LiesInside(std::string_view path, std::string_view folder) {
  const std::string base = AsciiLower(AddTrailingBackslash(folder));
  const std::string lowered = AsciiLower(path);
  return !base.empty() && lowered.size() > base.size() && lowered.compare(0, base.size(), base) == 0;
}

std::string SubFolderOf(std::string_view entry) {
  const size_t cut = FindLastCharacter(entry, "\\/");
  return cut == std::string_view::npos ? std::string() : std::string(entry.substr(0, cut + 1));
}
