#pragma once
// Reads a shortcut file back through the shell's link object.

#include <string>

#include <windows.h>

struct ShellLinkFields {
  bool loaded = false;
  std::string path;
  std::string arguments;
  std::string workingFolder;
  std::string iconPath;
  int iconIndex = -1;
  std::string description;
  int showCommand = -1;
  WORD hotKey = 0xFFFF;
};

ShellLinkFields ReadShellLink(const std::string& linkPath);

// Initialises COM on this thread for the object's lifetime.
class ComScope {
 public:
  ComScope();
  ~ComScope();
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
};
