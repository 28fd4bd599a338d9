#include "support/Paths.h"

#include "support/Text.h"

namespace {
size_t FolderPartLength(std::string_view path) {
  const size_t cut = path.find_last_of("\\:");
  return cut == std::string_view::npos ? 0 : cut + 1;
}
}  // namespace

std::string AddTrailingBackslash(std::string_view path) {
  if (path.empty()) return {};
  std::string out(path);
  if (out.back() != '\\') {
    out += '\\';
    return out;
  }
  // Cut a run of trailing backslashes down to one; a lone "\" stays as it is.
  while (out.size() >= 2 && out[out.size() - 2] == '\\') out.pop_back();
  return out;
}

std::string StripTrailingBackslashes(std::string_view path) {
  const size_t keep = path.find_last_not_of('\\');
  return keep == std::string_view::npos ? std::string() : std::string(path.substr(0, keep + 1));
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
  const size_t dot = path.find_last_of('.');
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
