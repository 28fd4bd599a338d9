#pragma once
// A file's new content, written piece by piece beside its destination under the name
// destination + ".qlx-new" (a leftover of that name or of destination + ".qlx-new.<pid>", or a
// link there, is replaced, never followed). It takes the destination's place only when whole
// and dated (PutInPlace); one that is not put in place is removed when the object goes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "support/fs/NewFile.h"
#include "support/fs/WriteResult.h"

class StagedFile {
 public:
  // Nothing is made: the file is refused from the start with this error.
  StagedFile(std::string destination, std::uint32_t error);
  // How the file is named until it is put in place: destination + ".qlx-new" (Working), or,
  // beside another staged file of the same destination, the name it was made under (Own).
  enum class Name { Working, Own };

  // Makes the file. A read-only or hidden destination is refused (ERROR_ACCESS_DENIED), as
  // Windows refuses to replace it, and nothing is made.
  explicit StagedFile(std::string destination, Name name = Name::Working);

  const std::string& Destination() const { return m_destination; }
  // The system's error code of the first step that failed (0 for none).
  std::uint32_t Error() const { return m_error; }

  // Writes the bytes after those before. After a failure nothing more is written; a short
  // write for which the system gave no code counts as ERROR_HANDLE_DISK_FULL.
  void Append(const void* bytes, std::size_t length) noexcept;

  // Sets the last-write time from a packed local date-time (high word date, low word time; an
  // invalid date leaves the time of the write) and gives the file the destination's name. An
  // empty file is refused with ERROR_INVALID_PARAMETER; a destination that has become read-only
  // or hidden with ERROR_ACCESS_DENIED.
  WriteResult PutInPlace(std::uint32_t fileDate);

  // Removes the file now.
  void Discard() { m_file.reset(); }

 private:
  std::string m_destination;
  std::optional<NewFile> m_file;
  std::uint32_t m_error = 0;
  std::uint64_t m_size = 0;
};
