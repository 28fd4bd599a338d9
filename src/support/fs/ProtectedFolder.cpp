#include "support/fs/ProtectedFolder.h"

#include <vector>

#include <windows.h>
#include <sddl.h>
#include <aclapi.h>

#include "support/base/Paths.h"
#include "support/win/UniqueHandle.h"

std::string CurrentUserSid() {
  UniqueKernelHandle token;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.put())) return {};
  DWORD size = 0;
  ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  if (size == 0) return {};
  std::vector<BYTE> buffer(size);
  if (!::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
  char* text = nullptr;
  if (!::ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) return {};
  const UniqueLocalMemory owned(text);
  return text;
}

namespace {
// P: not inherited; OICI: passed on to files and folders made below; 0x1200a9: read and
// execute.
std::string ProtectedList(const std::string& user) {
  return "D:P(A;OICI;FA;;;" + user + ")(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";
}

struct Descriptor {
  UniqueLocalMemory memory;
  std::uint32_t error = 0;
};

Descriptor ProtectedDescriptor() {
  const std::string user = CurrentUserSid();
  if (user.empty()) return {{}, ERROR_NO_SUCH_USER};
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(ProtectedList(user).c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr))
    return {{}, ::GetLastError()};
  return {UniqueLocalMemory(descriptor), 0};
}
}  // namespace

bool IsDriveRoot(const std::string& folder) {
  const std::string bare = StripTrailingBackslashes(folder);
  return bare.size() == 2 && StartsWithDriveLetter(bare);
}

std::uint32_t CreateProtectedFolder(const std::string& path) {
  const Descriptor descriptor = ProtectedDescriptor();
  if (descriptor.error) return descriptor.error;
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.memory.get(), FALSE};
  return ::CreateDirectoryA(StripTrailingBackslashes(path).c_str(), &attributes) ? 0 : ::GetLastError();
}

std::uint32_t ProtectFolder(const std::string& path) {
  const Descriptor descriptor = ProtectedDescriptor();
  if (descriptor.error) return descriptor.error;
  BOOL present = FALSE, defaulted = FALSE;
  PACL list = nullptr;
  if (!::GetSecurityDescriptorDacl(descriptor.memory.get(), &present, &list, &defaulted)) return ::GetLastError();
  std::string name = StripTrailingBackslashes(path);
  return ::SetNamedSecurityInfoA(name.data(), SE_FILE_OBJECT,
                                 DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                 list, nullptr);
}

bool VolumeKeepsAccessLists(const std::string& path) {
  char root[MAX_PATH + 1] = {};
  if (!::GetVolumePathNameA(path.c_str(), root, sizeof root)) return false;
  DWORD flags = 0;
  if (!::GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) return false;
  return (flags & FILE_PERSISTENT_ACLS) != 0;
}

std::optional<std::string> FolderAccessText(const std::string& path) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  constexpr SECURITY_INFORMATION parts = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  if (::GetNamedSecurityInfoA(StripTrailingBackslashes(path).c_str(), SE_FILE_OBJECT, parts, nullptr, nullptr,
                              nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
    return std::nullopt;
  const UniqueLocalMemory owned(descriptor);
  char* text = nullptr;
  if (!::ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1, parts, &text, nullptr))
    return std::nullopt;
  const UniqueLocalMemory ownedText(text);
  return std::string(text);
}
