#include "common/FileTimes.h"

#include "support/win/UniqueHandle.h"

bool SetLocalWriteTime(const std::string& path, const SYSTEMTIME& local, std::uint32_t extraTicks) {
  FILETIME localFt{}, utc{};
  if (!::SystemTimeToFileTime(&local, &localFt)) return false;
  const std::uint64_t ticks = ((std::uint64_t{localFt.dwHighDateTime} << 32) | localFt.dwLowDateTime) + extraTicks;
  localFt = FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  if (!::LocalFileTimeToFileTime(&localFt, &utc)) return false;
  UniqueFileHandle file(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && ::SetFileTime(file.get(), nullptr, nullptr, &utc);
}

std::uint32_t PackedLocalWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  FILETIME local{};
  WORD date = 0, time = 0;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      !::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !::FileTimeToDosDateTime(&local, &date, &time))
    return 0;
  return static_cast<std::uint32_t>(date) << 16 | time;
}
