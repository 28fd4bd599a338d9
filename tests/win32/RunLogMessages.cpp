#include "win32/RunLogMessages.h"

#include "common/ScratchFolder.h"
#include "support/run/RunLog.h"

std::string LogMessageOf(const std::string& line) {
  const size_t start = line.find(' ', 7);
  const size_t end = line.rfind("[Mem: ");
  if (start == std::string::npos || end == std::string::npos || end < start) return "<malformed>";
  return line.substr(start + 1, end - start - 1);
}

std::vector<std::string> LogMessages() {
  std::vector<std::string> messages;
  for (const std::string& line : CrLfLines(ReadWholeFile(LogPath()))) messages.push_back(LogMessageOf(line));
  return messages;
}
