#include "support/base/Paths.h"

#include "support/base/CodePage.h"
#include "support/base/Text.h"

namespace {
size_t FolderPartLength(std::string_view path) {
  const size_t cut = FindLastCharacter(path, "\\:");
  return cut == std::string_view::npos ? 0 : cut + 1;
}
}  // namespace

// A backslash byte that ends a double-byte character ("ソ" is 83 5C) is no separator: it is
// neither removed nor taken for one that is already there.
std::string AddTrailingBackslash(std::string_view path) {
  if (path.empty()) return {};
  std::string out = StripTrailingBackslashes(path);
  out += '\\';
  return out;
}

std::string StripTrailingBackslashes(std::string_view path) {
  while (EndsWithCharacter(path, '\\')) path.remove_suffix(1);
  return std::string(path);
}

bool StartsWithDriveLetter(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
}

bool StartsWithDriveRoot(std::string_view path) {
  return StartsWithDriveLetter(path) && path.size() >= 3 && path[2] == '\\';
}

std::string FolderPart(std::string_view path) { return std::string(path.substr(0, FolderPartLength(path))); }

std::string NamePart(std::string_view path) { return std::string(path.substr(FolderPartLength(path))); }

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
  const size_t nameStart = FolderPartLength(path);
  const size_t dot = FindLastCharacter(path, ".");
  std::string out(path.substr(0, dot != std::string_view::npos && dot >= nameStart ? dot : path.size()));
  out += extension;
  return out;
}

std::string QuotedIfBlank(std::string_view path) {
  if (path.find(' ') == std::string_view::npos) return std::string(path);
  return "\"" + std::string(path) + "\"";
}

std::string FolderAtOrBelow(std::string_view folder, const std::vector<std::string>& folders) {
  const std::string lowered = AsciiLower(AddTrailingBackslash(folder));
  for (const std::string& other : folders) {
    if (other.empty()) continue;
    if (AsciiLower(AddTrailingBackslash(other)).compare(0, lowered.size(), lowered) == 0) return other;
  }
  return {};
}
