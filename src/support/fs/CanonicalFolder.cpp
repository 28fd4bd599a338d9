#include "support/fs/CanonicalFolder.h"

#include <windows.h>

#include "support/base/CodePage.h"
#include "support/base/Paths.h"
#include "support/base/Text.h"
#include "support/fs/Folders.h"

std::string FullPath(const std::string& path) {
  char buffer[MAX_PATH * 2] = {};
  const DWORD length = ::GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  return length && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

namespace {

std::string LongPath(const std::string& path) {
  char buffer[MAX_PATH * 2] = {};
  const DWORD length = ::GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
  return length && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

}  // namespace

std::string CanonicalFolder(const std::string& folder) {
  if (folder.empty()) return {};
  const std::string made = FullPath(folder);
  std::string full = StripTrailingBackslashes(made.empty() ? folder : made);
  // The long name exists only for what exists: find the longest existing head and keep the
  // rest as written.
  std::string head = full, rest;
  while (!head.empty()) {
    const std::string longHead = LongPath(head.size() == 2 && head[1] == ':' ? head + "\\" : head);
    if (!longHead.empty()) return AsciiLower(StripTrailingBackslashes(longHead) + rest);
    const auto slash = FindLastCharacter(head, "\\");
    if (slash == std::string::npos) break;
    rest = head.substr(slash) + rest;
    head.resize(slash);
  }
  return AsciiLower(full);
}

std::vector<std::string> ProgramFilesFolders() {
  std::vector<std::string> folders;
  auto add = [&](const std::string& path) {
    if (path.empty()) return;
    folders.push_back(AsciiLower(StripTrailingBackslashes(path)));
    folders.push_back(CanonicalFolder(path));
  };
  add(ProgramFilesFolder());
  // A 32-bit program sees only the 32-bit folder through CSIDL 38; the native one of 64-bit
  // Windows is named in the environment.
  char native[MAX_PATH] = {};
  const DWORD length = ::GetEnvironmentVariableA("ProgramW6432", native, MAX_PATH);
  if (length && length < MAX_PATH) add(std::string(native, length));
  return folders;
}
