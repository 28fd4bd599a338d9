#include "support/fs/HeldFolder.h"

#include <vector>

#include <windows.h>
#include <winternl.h>

#include "support/base/CodePage.h"
#include "support/win/AnsiText.h"
#include "support/base/Paths.h"
#include "support/win/SystemError.h"
#include "support/base/Text.h"

namespace {

using NtCreateFileFunction = NTSTATUS(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK,
                                              PLARGE_INTEGER, ULONG, ULONG, ULONG, ULONG, PVOID, ULONG);
using SetInformationFunction = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, ULONG);
using StatusToErrorFunction = ULONG(NTAPI*)(NTSTATUS);

// The file information class of a rename, and its record (as the kernel32 one, which Wine turns
// into a full path before it reaches the system, losing the folder it is relative to).
constexpr ULONG kFileRenameInformation = 10;
struct RenameInformation {
  BOOLEAN replaceIfExists;
  HANDLE rootDirectory;
  ULONG fileNameLength;
  WCHAR fileName[1];
};

// ntdll is in every process; its functions are looked up, not imported.
template <typename Function>
Function NtdllFunction(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), name)));
}

// Sharing for every handle this file takes on a folder: others may read and write in it, but
// not rename or remove it while it is held.
constexpr DWORD kFolderSharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr DWORD kFolderAccess = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;

std::optional<std::wstring> Wide(const std::string& ansi) {
  const int length = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), static_cast<int>(ansi.size()),
                                           nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
  return wide;
}

std::wstring FinalPath(HANDLE handle) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = ::GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return {};
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(length + 1);
  }
}

bool SameText(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

std::optional<BY_HANDLE_FILE_INFORMATION> Information(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) return std::nullopt;
  return info;
}

// FileDispositionInfoEx and its flags (Windows 10 1709 and later; not in every SDK's headers).
constexpr int kFileDispositionInfoEx = 21;
constexpr DWORD kDispositionDelete = 0x1, kDispositionPosixSemantics = 0x2, kDispositionIgnoreReadOnly = 0x10;

// The name goes at once (POSIX semantics: a file another program holds with delete sharing is no
// longer listed, so nothing later takes it for present), and a read-only file too, where the
// system can; otherwise the classic mark, which takes effect when the last handle goes.
std::uint32_t MarkForDeletion(HANDLE handle) {
  const DWORD flags = kDispositionDelete | kDispositionPosixSemantics | kDispositionIgnoreReadOnly;
  if (::SetFileInformationByHandle(handle, static_cast<FILE_INFO_BY_HANDLE_CLASS>(kFileDispositionInfoEx),
                                   const_cast<DWORD*>(&flags), sizeof flags))
    return 0;
  FILE_DISPOSITION_INFO disposition{TRUE};
  return ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition)
             ? 0
             : ::GetLastError();
}

// A plain name: no separator, no stream, not "." or "..".
bool IsPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && FindCharacter(name, "\\/:") == std::string::npos;
}

}  // namespace

std::optional<HeldFolder> HeldFolder::Open(const std::string& path, std::string& why) {
  // Without delete access: refusing delete sharing is what keeps others from renaming it away.
  // A handle with delete access would also shut out the system's own open of this folder when
  // a file inside is renamed (Windows opens the target's folder for writing, sharing reading
  // and writing only), and every rename in it would fail with a sharing violation. RemoveSelf
  // opens it once more for the deletion.
  UniqueFileHandle handle(::CreateFileA(path.c_str(), kFolderAccess, kFolderSharing, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!handle) {
    // The caller may ask GetLastError too.
    const DWORD error = ::GetLastError();
    why = SystemErrorReason(error);
    ::SetLastError(error);
    return std::nullopt;
  }
  const auto info = Information(handle.get());
  if (!info || !(info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    why = "not a folder";
    return std::nullopt;
  }
  std::wstring finalPath = FinalPath(handle.get());
  if (finalPath.empty()) {
    why = SystemErrorReason(::GetLastError());
    return std::nullopt;
  }
  // Wine opens what a link leads to even so: the path's own attributes show the link, and the
  // folder opened then bears another name.
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  const auto asked = Wide(NamePart(StripTrailingBackslashes(path)));
  const std::size_t cut = finalPath.find_last_of(L'\\');
  if ((info->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
      (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) || !asked ||
      cut == std::wstring::npos || !SameText(finalPath.substr(cut + 1), *asked)) {
    why = "a link, junction or mount point";
    return std::nullopt;
  }
  return HeldFolder(std::move(handle), std::move(finalPath));
}

UniqueFileHandle HeldFolder::OpenEntry(const std::string& name, std::uint32_t access, bool folder,
                                       std::uint32_t& error) const {
  static const auto createFile = NtdllFunction<NtCreateFileFunction>("NtCreateFile");
  static const auto statusToError = NtdllFunction<StatusToErrorFunction>("RtlNtStatusToDosError");
  const auto wide = Wide(name);
  if (!createFile || !statusToError || !wide || !IsPlainName(name)) {
    error = ERROR_INVALID_NAME;
    return {};
  }
  UNICODE_STRING text{static_cast<USHORT>(wide->size() * sizeof(wchar_t)),
                      static_cast<USHORT>(wide->size() * sizeof(wchar_t)), const_cast<wchar_t*>(wide->c_str())};
  OBJECT_ATTRIBUTES attributes{};
  InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, m_handle.get(), nullptr);
  IO_STATUS_BLOCK io{};
  HANDLE opened = nullptr;
  const ULONG options = FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_REPARSE_POINT |
                        (folder ? FILE_DIRECTORY_FILE | FILE_OPEN_FOR_BACKUP_INTENT : FILE_NON_DIRECTORY_FILE);
  const DWORD sharing = folder ? kFolderSharing : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  const NTSTATUS status = createFile(&opened, access | SYNCHRONIZE | FILE_READ_ATTRIBUTES, &attributes, &io, nullptr,
                                     0, sharing, FILE_OPEN, options, nullptr, 0);
  if (status < 0) {
    error = statusToError(status);
    return {};
  }
  UniqueFileHandle handle(opened);
  const auto info = Information(handle.get());
  // Opened without following a link, a link is the link itself: never changed. Wine follows
  // links to files anyway; what it opened then lies elsewhere, which the final path shows.
  if (!info || (info->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
      !SameText(FinalPath(handle.get()), m_finalPath + L"\\" + *wide)) {
    error = kEntryIsLink;
    return {};
  }
  error = 0;
  return handle;
}

std::optional<HeldFolder> HeldFolder::ParentOf(const std::string& relative, std::string& leaf,
                                               std::uint32_t& error) const {
  const std::size_t cut = FindLastCharacter(relative, "\\");
  leaf = cut == std::string::npos ? relative : relative.substr(cut + 1);
  return Sub(cut == std::string::npos ? std::string() : relative.substr(0, cut), error);
}

std::optional<HeldFolder> HeldFolder::Sub(const std::string& relative, std::uint32_t& error) const {
  // This folder itself: another handle of it, so that the caller holds a folder either way.
  HANDLE copy = nullptr;
  if (!m_handle) {
    error = ERROR_INVALID_HANDLE;
    return std::nullopt;
  }
  if (!::DuplicateHandle(::GetCurrentProcess(), m_handle.get(), ::GetCurrentProcess(), &copy, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
    error = ::GetLastError();
    return std::nullopt;
  }
  HeldFolder current(UniqueFileHandle(copy), m_finalPath);
  std::size_t start = 0;
  while (start < relative.size()) {
    const std::size_t cut = FindCharacter(relative, "\\", start);
    const std::string step = relative.substr(start, cut == std::string::npos ? std::string::npos : cut - start);
    start = cut == std::string::npos ? relative.size() : cut + 1;
    if (step.empty()) continue;
    UniqueFileHandle handle = current.OpenEntry(step, kFolderAccess, true, error);
    if (!handle) return std::nullopt;
    std::wstring finalPath = current.m_finalPath + L"\\" + *Wide(step);
    current = HeldFolder(std::move(handle), std::move(finalPath));
  }
  error = 0;
  return current;
}

std::vector<HeldEntry> HeldFolder::List(const std::string& relativeFolder) const {
  std::vector<HeldEntry> entries;
  if (!relativeFolder.empty()) {
    std::uint32_t error = 0;
    const auto folder = Sub(relativeFolder, error);
    return folder ? folder->List() : entries;
  }
  alignas(8) unsigned char buffer[16384];
  FILE_INFO_BY_HANDLE_CLASS request = FileIdBothDirectoryRestartInfo;
  while (::GetFileInformationByHandleEx(m_handle.get(), request, buffer, sizeof buffer)) {
    request = FileIdBothDirectoryInfo;
    for (std::size_t offset = 0;;) {
      const auto* item = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer + offset);
      const std::wstring name(item->FileName, item->FileNameLength / sizeof(wchar_t));
      const std::wstring shortName(item->ShortName, item->ShortNameLength / sizeof(wchar_t));
      const auto ansi = ExactAnsi(name.c_str());
      if (ansi && *ansi != "." && *ansi != "..") {
        entries.push_back({*ansi, ExactAnsi(shortName.c_str()).value_or(""),
                           static_cast<std::uint64_t>(item->EndOfFile.QuadPart),
                           (item->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (item->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
      }
      if (item->NextEntryOffset == 0) break;
      offset += item->NextEntryOffset;
    }
  }
  return entries;
}

std::optional<HeldEntry> HeldFolder::Find(const std::string& relative) const {
  const std::size_t cut = FindLastCharacter(relative, "\\");
  const std::string key = AsciiLower(cut == std::string::npos ? relative : relative.substr(cut + 1));
  for (HeldEntry& entry : List(cut == std::string::npos ? std::string() : relative.substr(0, cut)))
    if (AsciiLower(entry.name) == key || (!entry.shortName.empty() && AsciiLower(entry.shortName) == key))
      return std::move(entry);
  return std::nullopt;
}

std::optional<FileIdentity> HeldFolder::Identity() const {
  const auto info = Information(m_handle.get());
  if (!info) return std::nullopt;
  return FileIdentity{info->dwVolumeSerialNumber, info->nFileIndexHigh, info->nFileIndexLow};
}

bool HeldFolder::StillAt(const std::string& path) const {
  const UniqueFileHandle fresh(::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                             nullptr));
  if (!fresh) return false;
  const auto held = Information(m_handle.get()), now = Information(fresh.get());
  return held && now && !(now->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
         held->dwVolumeSerialNumber == now->dwVolumeSerialNumber && held->nFileIndexHigh == now->nFileIndexHigh &&
         held->nFileIndexLow == now->nFileIndexLow;
}

UniqueFileHandle HeldFolder::OpenFile(const std::string& relative, std::uint32_t access, std::uint32_t& error) const {
  std::string leaf;
  const auto parent = ParentOf(relative, leaf, error);
  return parent ? parent->OpenEntry(leaf, access, false, error) : UniqueFileHandle{};
}

std::optional<std::string> HeldFolder::Read(const std::string& relative, std::uint64_t maxBytes) const {
  std::uint32_t error = 0;
  const UniqueFileHandle file = OpenFile(relative, GENERIC_READ, error);
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > maxBytes)
    return std::nullopt;
  std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!text.empty() && (!::ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr) ||
                        read != text.size()))
    return std::nullopt;
  return text;
}

std::uint32_t HeldFolder::RemoveFileOnce(const std::string& relative, std::uint64_t maxBytes) const {
  std::uint32_t error = 0;
  const UniqueFileHandle file = OpenFile(relative, DELETE, error);
  if (!file) return error;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return ::GetLastError();
  if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes) return kEntryTooLarge;
  return MarkForDeletion(file.get());
}

std::uint32_t HeldFolder::RemoveFile(const std::string& relative, std::uint64_t maxBytes) const {
  std::uint32_t error = RemoveFileOnce(relative, maxBytes);
  // A read-only file (where the system cannot ignore the attribute; Wine refuses it the delete
  // access already): cleared through a handle of its own, never for a file with another name
  // elsewhere, and tried again.
  if (error == ERROR_ACCESS_DENIED && ClearAttributes(relative) == 0) error = RemoveFileOnce(relative, maxBytes);
  return error;
}

std::uint32_t HeldFolder::ClearAttributes(const std::string& relative) const {
  std::uint32_t error = 0;
  const UniqueFileHandle file = OpenFile(relative, FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES, error);
  if (!file) return error;
  // A file with another name elsewhere may be another user's file linked in under a name of
  // ours: its attributes are its owner's.
  const auto info = Information(file.get());
  if (!info) return ::GetLastError();
  if (info->nNumberOfLinks != 1) return kEntryIsLink;
  // Times of 0 stay as they are.
  FILE_BASIC_INFO basic{};
  basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  return ::SetFileInformationByHandle(file.get(), FileBasicInfo, &basic, sizeof basic) ? 0 : ::GetLastError();
}

std::uint32_t HeldFolder::RenameFile(const std::string& from, const std::string& to) const {
  std::string toLeaf;
  std::uint32_t error = 0;
  const auto toParent = ParentOf(to, toLeaf, error);
  if (!toParent) return error;
  const auto wide = Wide(toLeaf);
  if (!wide || !IsPlainName(toLeaf)) return ERROR_INVALID_NAME;
  static const auto setInformation = NtdllFunction<SetInformationFunction>("NtSetInformationFile");
  static const auto statusToError = NtdllFunction<StatusToErrorFunction>("RtlNtStatusToDosError");
  if (!setInformation || !statusToError) return ERROR_INVALID_FUNCTION;
  const UniqueFileHandle file = OpenFile(from, DELETE, error);
  if (!file) return error;
  // The new name relative to the held folder it goes to, never replacing what is there.
  std::vector<unsigned char> buffer(sizeof(RenameInformation) + wide->size() * sizeof(wchar_t));
  auto* rename = reinterpret_cast<RenameInformation*>(buffer.data());
  rename->replaceIfExists = FALSE;
  rename->rootDirectory = toParent->m_handle.get();
  rename->fileNameLength = static_cast<ULONG>(wide->size() * sizeof(wchar_t));
  std::copy(wide->begin(), wide->end(), rename->fileName);
  IO_STATUS_BLOCK io{};
  const NTSTATUS status =
      setInformation(file.get(), &io, rename, static_cast<ULONG>(buffer.size()), kFileRenameInformation);
  return status < 0 ? statusToError(status) : 0;
}

std::uint32_t HeldFolder::RemoveSubFolder(const std::string& relative) const {
  std::string leaf;
  std::uint32_t error = 0;
  const auto parent = ParentOf(relative, leaf, error);
  if (!parent) return error;
  {
    const UniqueFileHandle folder = parent->OpenEntry(leaf, kFolderAccess | DELETE, true, error);
    if (!folder) return error;
    error = MarkForDeletion(folder.get());
    if (error) return error;
  }
  // Only gone once its last handle is: a folder still listed was not removed.
  return parent->Find(leaf) ? ERROR_DIR_NOT_EMPTY : 0;
}

std::uint32_t HeldFolder::RemoveSelf() {
  // Wine takes the mark on a folder that is not empty and then keeps the folder silently.
  if (!List().empty()) return ERROR_DIR_NOT_EMPTY;
  const auto held = Information(m_handle.get());
  if (!held) return ::GetLastError();
  // The hold is let go and the folder opened again with delete access, by the path the system
  // gave for it; it must still be the folder held (the same volume and file index), not one put
  // in its place in between.
  m_handle.reset();
  const UniqueFileHandle again(::CreateFileW(m_finalPath.c_str(), DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                             kFolderSharing, nullptr, OPEN_EXISTING,
                                             FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!again) return ::GetLastError();
  const auto now = Information(again.get());
  if (!now || (now->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
      now->dwVolumeSerialNumber != held->dwVolumeSerialNumber || now->nFileIndexHigh != held->nFileIndexHigh ||
      now->nFileIndexLow != held->nFileIndexLow)
    return kEntryIsLink;
  return MarkForDeletion(again.get());
}
