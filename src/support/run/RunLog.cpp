#include "support/run/RunLog.h"

#include <malloc.h>

#include <optional>

#include <windows.h>

#include "support/base/LogLine.h"
#include "support/base/Paths.h"
#include "support/fs/FileVersion.h"
#include "support/fs/Files.h"
#include "support/fs/Folders.h"
#include "support/fs/Links.h"
#include "support/fs/NewFile.h"
#include "support/win/Locale.h"

namespace {
struct RunLogState {
  bool enabled = false;
  std::string path;
  // The file this run made; lines go only to it.
  std::optional<FileIdentity> file;
  std::function<void(std::string_view)> watch;
};

RunLogState& State() {
  static RunLogState state;
  return state;
}
}  // namespace

bool LogEnabled() { return State().enabled; }

void SetLogEnabled(bool enabled) { State().enabled = enabled; }

const std::string& LogPath() { return State().path; }

void SetLogLineWatch(std::function<void(std::string_view message)> watch) { State().watch = std::move(watch); }

void StartRunLog(const std::string& basePath, bool logSwitch) {
  RunLogState& state = State();
  state.enabled = state.enabled || logSwitch;
  if (!state.enabled) return;
  state.path = ReplaceExtension(basePath, ".log");
  state.file.reset();
  std::string folder = FolderPart(state.path);
  EnsureFolder(folder);
  // Every user may make this folder: one that is a link, or an old log that is one, may lead
  // to another user's file, and nothing is logged then. Otherwise a new file takes the old
  // log's place (a link to a file, which Wine does not show, is replaced, never followed); a
  // read-only old log stays, as Windows keeps it, and nothing is logged either.
  if (IsReparsePoint(folder) || IsReparsePoint(state.path)) return;
  const DWORD attributes = ::GetFileAttributesA(state.path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN))) return;
  {
    NewFile file(state.path);
    file.ReplaceLeftovers();
    if (!file.RenameTo(state.path)) return;
    state.file = file.Identity();
    if (!state.file) return;
    file.Keep();
  }
  LogFormat("== Logging Initialized. Build %s", OwnVersionText());
}

std::optional<FileIdentity> LogFileIdentity() {
  const RunLogState& state = State();
  return state.enabled ? state.file : std::nullopt;
}

void ContinueRunLog(const std::string& path, const FileIdentity& identity) {
  RunLogState& state = State();
  state.enabled = true;
  state.path = path;
  state.file = identity;
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
  if (!state.enabled || state.path.empty() || !state.file) return {};
  UniqueFileHandle file = OpenOwnFile(state.path, *state.file);
  if (!file) return {};
  std::string message;
  {
    FileStream stream(std::move(file));
    stream.SeekToEnd();
    message = makeMessage();
    const std::uint32_t heap = HeapBytesInUse();
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const LogClock clock{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
    stream.Write(LogLine(clock, message, heap, TimeSeparator(), NumberSettings()));
  }
  if (state.watch) state.watch(message);
  return message;
}

}  // namespace run_log_detail
