#include "support/fs/StagedFile.h"

#include <windows.h>

#include "support/base/FileNameRules.h"
#include "support/base/Paths.h"
#include "support/fs/HeldFolder.h"
#include "support/fs/Links.h"

namespace {

void SetLocalWriteTime(HANDLE file, std::uint32_t fileDate) {
  FILETIME local{}, utc{};
  if (::DosDateTimeToFileTime(static_cast<WORD>(fileDate >> 16), static_cast<WORD>(fileDate & 0xFFFF), &local) &&
      ::LocalFileTimeToFileTime(&local, &utc))
    ::SetFileTime(file, nullptr, nullptr, &utc);
}

// Windows refuses to replace a read-only or hidden file; Wine running as root would replace
// it all the same, so the attributes are asked first and both systems give one answer.
bool RefusesReplacement(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
}

}  // namespace

StagedFile::StagedFile(std::string destination, std::uint32_t error)
    : m_destination(std::move(destination)), m_error(error) {}

StagedFile::StagedFile(std::string destination, Name name) : m_destination(std::move(destination)) {
  if (RefusesReplacement(m_destination)) {
    m_error = ERROR_ACCESS_DENIED;
    return;
  }
  // The new file takes the replacement's name first (replacing a leftover of a run that
  // stopped halfway, and any a run killed before this step left), so that a run stopped now
  // leaves that name only.
  const std::string temporary = m_destination + kReplacementSuffix;
  NewFile& file = m_file.emplace(temporary);
  if (!file.Made()) {
    m_error = file.Error();
    m_file.reset();
    return;
  }
  // The working name and its leftovers belong to the first staged file of the destination.
  if (name == Name::Own) return;
  file.ReplaceLeftovers();
  if (!file.RenameTo(temporary) && !IsReparsePoint(temporary)) {
    // Windows does not replace a read-only or hidden leftover. Its attributes are cleared
    // through a handle of that very file (never of a link, nor of what a link leads to); one
    // that still resists stays, and the new file goes on under its own name.
    std::string why;
    if (const auto folder = HeldFolder::Open(FolderPart(temporary), why)) folder->ClearAttributes(NamePart(temporary));
    file.RenameTo(temporary);
  }
}

void StagedFile::Append(const void* bytes, std::size_t length) noexcept {
  if (m_error != 0 || !m_file || length == 0) return;
  // One piece is far below 4 GiB.
  DWORD written = 0;
  if (!::WriteFile(m_file->Handle(), bytes, static_cast<DWORD>(length), &written, nullptr)) m_error = ::GetLastError();
  // A write that ends early without a reason can only have run out of room.
  if (written < length && m_error == 0) m_error = ERROR_HANDLE_DISK_FULL;
  m_size += written;
  // A file that cannot be whole is of no use: it goes at once, and with it the room it took.
  if (m_error != 0) m_file.reset();
}

WriteResult StagedFile::PutInPlace(std::uint32_t fileDate) {
  if (m_error != 0) return {m_error};
  if (!m_file || m_size == 0) return {ERROR_INVALID_PARAMETER};
  if (RefusesReplacement(m_destination)) {
    m_file.reset();
    return {ERROR_ACCESS_DENIED};
  }
  SetLocalWriteTime(m_file->Handle(), fileDate);
  if (!m_file->RenameTo(m_destination)) {
    const WriteResult failed{m_file->Error()};
    m_file.reset();
    return failed;
  }
  m_file->Keep();
  m_file.reset();
  return {};
}
