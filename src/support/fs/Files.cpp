#include "support/fs/Files.h"

#include <windows.h>

#include "support/base/DateTime.h"
#include "support/base/Format.h"
#include "support/fs/StagedFile.h"

bool FileIsPresent(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  const DWORD error = ::GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME) return false;
  // Attributes can be refused for a file that exists (locked, no access): the directory
  // listing still shows it.
  WIN32_FIND_DATAA found{};
  UniqueFindHandle search(::FindFirstFileA(path.c_str(), &found));
  return search && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

double FileDateTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  FILETIME local{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      !::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local))
    return 0;
  // Whole milliseconds only, as the file's system time holds them.
  const std::uint64_t ticks = (static_cast<std::uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
  return DateTimeFromFileTicks(ticks - ticks % 10000);
}

DWORD WriteAll(HANDLE file, const void* data, std::size_t size, DWORD& error) {
  error = 0;
  // A content beyond 4 GiB cannot be written in one go.
  if (size > 0xFFFFFFFFu) {
    error = ERROR_FILE_TOO_LARGE;
    return 0;
  }
  DWORD written = 0;
  if (!::WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr)) error = ::GetLastError();
  // A write that ends early without a reason can only have run out of room.
  if (written < size && error == 0) error = ERROR_HANDLE_DISK_FULL;
  return written;
}

WriteResult SaveBytesWithDate(const std::string& path, std::span<const std::uint8_t> bytes, std::uint32_t fileDate) {
  if (bytes.empty()) return {ERROR_INVALID_PARAMETER};
  StagedFile file(path);
  file.Append(bytes.data(), bytes.size());
  return file.PutInPlace(fileDate);
}

namespace {
DWORD AccessFor(std::uint16_t mode) {
  switch (mode) {
    case FileStream::kRead: return GENERIC_READ;
    case FileStream::kWrite: return GENERIC_WRITE;
    default: return GENERIC_READ | GENERIC_WRITE;
  }
}
}  // namespace

FileStream::FileStream(const std::string& path, std::uint16_t mode, std::uint32_t share) {
  const bool create = mode == kCreate;
  m_file.reset(::CreateFileA(path.c_str(), AccessFor(mode), share, nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!m_file)
    throw FileStreamError(Format(create ? "Cannot create file \"%s\"" : "Cannot open file \"%s\"", path));
}

void FileStream::SeekToEnd() { ::SetFilePointer(m_file.get(), 0, nullptr, FILE_END); }

std::size_t FileStream::Write(std::string_view bytes) {
  DWORD error = 0;
  return WriteAll(m_file.get(), bytes.data(), bytes.size(), error);
}

std::optional<FileStream> OpenFileStreamSafely(const std::string& path, std::uint16_t mode, std::uint32_t share) {
  if (mode == FileStream::kCreate) return FileStream(path, mode, 0);
  if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  {
    UniqueFileHandle test(::CreateFileA(path.c_str(), AccessFor(mode), share, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!test) return std::nullopt;
  }
  return FileStream(path, mode, 0);
}
