#include "support/RunLog.h"

#include <malloc.h>

#include <windows.h>

#include "support/FileVersion.h"
#include "support/Files.h"
#include "support/Folders.h"
#include "support/Locale.h"
#include "support/LogLine.h"
#include "support/Paths.h"
#include "support/ProcessCommandLine.h"

namespace {
struct RunLogState {
  bool enabled = false;
  std::string path;
};

RunLogState& State() {
  static RunLogState state;
  return state;
}
}  // namespace

bool LogEnabled() { return State().enabled; }

void SetLogEnabled(bool enabled) { State().enabled = enabled; }

const std::string& LogPath() { return State().path; }

void StartRunLog(const std::string& basePath) {
  RunLogState& state = State();
  state.enabled = state.enabled || ProcessCommandLine().RawContainsLower("/log");
  if (!state.enabled) return;
  state.path = ReplaceExtension(basePath, ".log");
  std::string folder = FolderPart(state.path);
  EnsureFolder(folder);
  if (FileIsPresent(state.path)) ::DeleteFileA(state.path.c_str());
  LogFormat("== Logging Initialized. Build %s", OwnVersionText());
}

std::string LogText(std::string_view text) {
  return run_log_detail::WriteLine([text] { return std::string(text); });
}

std::uint32_t HeapBytesInUse() {
  // Walks the C runtime's heap, where malloc and operator new take their blocks.
  std::uint64_t total = 0;
  _HEAPINFO entry{};
  entry._pentry = nullptr;
  while (_heapwalk(&entry) == _HEAPOK)
    if (entry._useflag == _USEDENTRY) total += entry._size;
  return total > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(total);
}

namespace run_log_detail {

FormatSettings NumberSettings() { return LocaleFormatSettings(); }

std::string WriteLine(const std::function<std::string()>& makeMessage) {
  const RunLogState& state = State();
  if (!state.enabled || state.path.empty()) return {};
  std::optional<FileStream> stream;
  try {
    stream = OpenFileStreamSafely(state.path, FileIsPresent(state.path) ? FileStream::kWrite : FileStream::kCreate, 0);
  } catch (const FileStreamError&) {
    return {};
  }
  if (!stream) return {};
  stream->SeekToEnd();
  std::string message = makeMessage();
  const std::uint32_t heap = HeapBytesInUse();
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  const LogClock clock{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
  stream->Write(LogLine(clock, message, heap, TimeSeparator(), NumberSettings()));
  return message;
}

}  // namespace run_log_detail
