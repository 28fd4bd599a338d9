#include "support/fs/NewFile.h"

#include <cstdio>

#include <cstdint>
#include <cstring>
#include <vector>

#include <windows.h>

#include "support/base/CodePage.h"
#include "support/base/Text.h"

namespace {
// A link is opened as itself (on Windows) so that its attributes show it; a file with more
// than one name may be another user's file under a name of ours.
std::optional<FileIdentity> PlainFileIdentity(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file, &info)) return std::nullopt;
  if ((info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) ||
      info.nNumberOfLinks != 1)
    return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}
}  // namespace

NewFile::NewFile(const std::string& path) : m_path(path) {
  // A name of this process's id that is taken was left by a killed run that had the same id
  // (the system gives ids again): the file is made under one more digit, and that leftover
  // is as much a leftover as any other (ReplaceLeftovers).
  const std::string own = path + "." + std::to_string(::GetCurrentProcessId());
  for (int attempt = -1; attempt < 10 && !m_file; ++attempt) {
    m_name = attempt < 0 ? own : own + std::to_string(attempt);
    // DELETE access and delete sharing let the handle rename and discard its file.
    m_file.reset(::CreateFileA(m_name.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr,
                               CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    m_error = m_file ? 0 : ::GetLastError();
    if (m_error != ERROR_FILE_EXISTS && m_error != ERROR_ALREADY_EXISTS) break;
  }
}

NewFile::~NewFile() {
  if (!m_file || m_kept) return;
  FILE_DISPOSITION_INFO dispose{TRUE};
  ::SetFileInformationByHandle(m_file.get(), FileDispositionInfo, &dispose, sizeof dispose);
}

std::optional<FileIdentity> NewFile::Identity() const {
  return m_file ? PlainFileIdentity(m_file.get()) : std::nullopt;
}

bool NewFile::RenameTo(const std::string& path) {
  if (!m_file) return false;
  const int length = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (length <= 0) {
    m_error = ::GetLastError();
    return false;
  }
  // FILE_RENAME_INFO ends with the new name (wide, without its NUL counted).
  std::vector<std::uint8_t> buffer(sizeof(FILE_RENAME_INFO) + static_cast<std::size_t>(length) * sizeof(WCHAR));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = TRUE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(length - 1) * sizeof(WCHAR);
  ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, info->FileName, length);
  if (::SetFileInformationByHandle(m_file.get(), FileRenameInfo, info, static_cast<DWORD>(buffer.size())))
    return true;
  m_error = ::GetLastError();
  return false;
}

void NewFile::ReplaceLeftovers() {
  if (!m_file) return;
  const std::size_t slash = FindLastCharacter(m_path, "\\");
  const std::string folder = slash == std::string::npos ? std::string() : m_path.substr(0, slash + 1);
  const std::string stem = m_path.substr(folder.size()) + ".";
  const std::string own = m_name.substr(folder.size());
  std::vector<std::string> leftovers;
  WIN32_FIND_DATAA found{};
  const UniqueFindHandle search(::FindFirstFileA((m_path + ".*").c_str(), &found));
  if (!search) return;
  do {
    const std::string name = found.cFileName;
    const bool digits = name.size() > stem.size() && SameTextIgnoringCase(name.substr(0, stem.size()), stem) &&
                        name.find_first_not_of("0123456789", stem.size()) == std::string::npos;
    if (digits && !SameTextIgnoringCase(name, own) && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      leftovers.push_back(folder + name);
  } while (::FindNextFileA(search.get(), &found));
  for (const std::string& leftover : leftovers) RenameTo(leftover);
  m_error = 0;
}

std::string IdentityText(const FileIdentity& identity) {
  char text[32] = {};
  std::snprintf(text, sizeof text, "%08lx-%08lx%08lx", identity.volume, identity.indexHigh, identity.indexLow);
  return text;
}

std::optional<FileIdentity> IdentityFromText(const std::string& text) {
  FileIdentity identity;
  int used = 0;
  if (text.size() != 25 || text.find_first_not_of("0123456789abcdef-") != std::string::npos || text[8] != '-' ||
      std::sscanf(text.c_str(), "%8lx-%8lx%8lx%n", &identity.volume, &identity.indexHigh, &identity.indexLow,
                  &used) != 3 ||
      used != 25)
    return std::nullopt;
  return identity;
}

UniqueFileHandle OpenOwnFile(const std::string& path, const FileIdentity& identity) {
  UniqueFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return {};
  const std::optional<FileIdentity> now = PlainFileIdentity(file.get());
  if (!now || !(*now == identity)) return {};
  return file;
}
