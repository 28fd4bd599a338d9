/* Prints a file's or folder's access list as SDDL text ("D:P(A;OICI;FA;;;BA)..."), read back
   through the security API; exit code 1 when it cannot be read. Usage: ShowAcl <path> */
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <stdio.h>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  PSECURITY_DESCRIPTOR descriptor = NULL;
  if (GetNamedSecurityInfoA(argv[1], SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, NULL, NULL, NULL, NULL,
                            &descriptor) != ERROR_SUCCESS)
    return 1;
  char* text = NULL;
  BOOL ok = ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                                 &text, NULL);
  if (ok) printf("%s\n", text);
  LocalFree(text);
  LocalFree(descriptor);
  return ok ? 0 : 1;
}
