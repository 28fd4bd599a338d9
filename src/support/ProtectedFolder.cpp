#include "support/ProtectedFolder.h"

#include <vector>

#include <windows.h>
#include <sddl.h>

#include "support/Paths.h"
#include "support/UniqueHandle.h"

namespace {
// The user of this process as SID text ("S-1-5-21-..."); "" when it cannot be read.
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
}  // namespace

bool IsDriveRoot(const std::string& folder) {
  const std::string bare = StripTrailingBackslashes(folder);
  return bare.size() == 2 && StartsWithDriveLetter(bare);
}

bool CreateProtectedFolder(const std::string& path) {
  const std::string user = CurrentUserSid();
  if (user.empty()) return false;
  // P: not inherited; OICI: passed on to files and folders made below; 0x1200a9: read and
  // execute.
  const std::string sddl = "D:P(A;OICI;FA;;;" + user + ")(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
    return false;
  const UniqueLocalMemory owned(descriptor);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  return ::CreateDirectoryA(StripTrailingBackslashes(path).c_str(), &attributes) != FALSE;
}
