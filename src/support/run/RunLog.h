#pragma once
// The run log: one text file per run in which every step leaves a line with the local time
// and the heap figure. Each line opens the file without sharing, seeks to its end, writes and
// closes it again, so the file is complete up to the last line whatever happens afterwards.
// Lines that cannot be written are dropped silently; the run goes on. Lines go only to the file
// the run made: a log (or log folder) that is a link, or a file put in its place, gets none.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "support/base/Format.h"
#include "support/fs/NewFile.h"

// Lines are written only while the log is enabled.
bool LogEnabled();
void SetLogEnabled(bool enabled);
// Full path of the log file, "" until StartRunLog has set it.
const std::string& LogPath();

// Starts this run's log; `logSwitch` (the run's "/log") also enables it. The log file is the
// base path with the extension ".log"; its folder is created, the previous run's file deleted,
// a new one made and the banner written.
void StartRunLog(const std::string& basePath, bool logSwitch = false);

// The file this run's lines go to; nothing when there is none.
std::optional<FileIdentity> LogFileIdentity();
// Goes on writing into the log another process of this program started at `path`, the file
// `identity` names (and no other: a file put in its place gets no line).
void ContinueRunLog(const std::string& path, const FileIdentity& identity);

// Writes one line with the message unchanged; returns it, or "" when nothing was written.
std::string LogText(std::string_view text);

// Called with each message once its line is in the file; none unless set. A test build of the
// installer stops its run at a chosen line through it.
void SetLogLineWatch(std::function<void(std::string_view message)> watch);

// Bytes currently handed out by the program's memory manager.
std::uint32_t HeapBytesInUse();

namespace run_log_detail {
// Writes one line whose message `makeMessage` builds once the file is open. A FormatError from
// it passes to the caller and nothing is written.
std::string WriteLine(const std::function<std::string()>& makeMessage);
FormatSettings NumberSettings();
}  // namespace run_log_detail

// Formats the message (type-checked, with the locale's number separators) and writes one line
// with it; returns the message, or "" when nothing was written.
template <typename... Args>
std::string LogFormat(std::string_view format, const Args&... args) {
  return run_log_detail::WriteLine(
      [&] { return FormatWith(run_log_detail::NumberSettings(), format, args...); });
}
