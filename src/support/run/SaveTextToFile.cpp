#include "support/run/SaveTextToFile.h"

#include <windows.h>

#include "support/base/Format.h"
#include "support/fs/Files.h"
#include "support/fs/NewFile.h"
#include "support/run/InfoBox.h"

WriteResult SaveTextToFile(const std::string& path, std::string_view text) {
  if (text.empty()) {
    ::DeleteFileA(path.c_str());
    return {};
  }
  // A file in use or one that cannot be written keeps its content: the system's answer to an
  // open for writing is the result (the open writes nothing).
  if (FileIsPresent(path)) {
    const UniqueFileHandle test(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!test) return {::GetLastError()};
  }
  NewFile file(path);
  if (!file.Made()) return {file.Error()};
  file.ReplaceLeftovers();
  DWORD error = 0;
  WriteAll(file.Handle(), text.data(), text.size(), error);
  if (error != 0) {
    InfoBox(Format("KesUtils: Savestring: %s\r\nFailed to write with error code=%u", path, error));
    return {error};
  }
  if (!file.RenameTo(path)) return {file.Error()};
  file.Keep();
  return {};
}
