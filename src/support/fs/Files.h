#pragma once
// Files: existence, dates, whole-file writes, and an owned file stream that opens without
// raising for the common failures.

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "support/base/FileNameRules.h"
#include "support/fs/WriteResult.h"
#include "support/win/UniqueHandle.h"

// True for an existing file, false for a folder or a missing path.
bool FileIsPresent(const std::string& path);

// Last-write time of an existing file in local time, as days since 30 December 1899 with the
// time of day (milliseconds included) as the fraction. 0 when the file cannot be read.
double FileDateTime(const std::string& path);

// Writes `size` bytes to the open file in one call and gives the number written. `error` is 0,
// or why fewer were written: the system's code, ERROR_HANDLE_DISK_FULL for a short write the
// system gave no reason for, ERROR_FILE_TOO_LARGE for more than 4 GiB.
DWORD WriteAll(HANDLE file, const void* data, std::size_t size, DWORD& error);

// Writes `bytes` as the whole content of the file and sets its last-write time from a packed
// local date-time (high word date, low word time, as the file system packs them); an invalid
// date leaves the time of the write. The bytes go to a new file named path + ".qlx-new" first
// (a leftover of that name or of path + ".qlx-new.<pid>", or a link there, is replaced, never
// followed), which takes the destination's place only when whole and dated; on any failure it
// is removed and an existing file stays as it was. A read-only or hidden destination is refused (ERROR_ACCESS_DENIED), as
// Windows refuses to replace it. Empty bytes touch nothing and give ERROR_INVALID_PARAMETER.
WriteResult SaveBytesWithDate(const std::string& path, std::span<const std::uint8_t> bytes, std::uint32_t fileDate);

class FileStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An open file; closed when the object goes.
class FileStream {
 public:
  static constexpr std::uint16_t kRead = 0;
  static constexpr std::uint16_t kWrite = 1;
  static constexpr std::uint16_t kReadWrite = 2;
  static constexpr std::uint16_t kCreate = 0xFFFF;

  // Opens with the given mode and share bits (FILE_SHARE_*; 0 = no sharing); raises
  // FileStreamError when the file cannot be opened.
  FileStream(const std::string& path, std::uint16_t mode, std::uint32_t share);
  // Takes over a file opened elsewhere (which must be open).
  explicit FileStream(UniqueFileHandle file) : m_file(std::move(file)) {}

  void SeekToEnd();
  // Writes all bytes in one call; returns the number written.
  std::size_t Write(std::string_view bytes);
  HANDLE Handle() const { return m_file.get(); }

 private:
  UniqueFileHandle m_file;
};

// Create mode makes (or truncates) the file and raises when it cannot. Any other mode gives
// no stream for a missing file or one that cannot be opened with the mode and `share` (a first
// open as a test); the stream itself is then opened with the mode alone (no sharing), and a
// failure of that second open raises.
std::optional<FileStream> OpenFileStreamSafely(const std::string& path, std::uint16_t mode, std::uint32_t share);
