// Removes the registry keys the install benchmark's programs make, so that every run starts
// from the same registry. The folders and links are files the benchmark script removes itself.
#include <windows.h>

int main() {
  const char* const keys[] = {
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{5D0C3A71-2E94-4B6F-A1C8-7F03E9B24D16}",
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuillonBenchFloor",
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuillonBenchNsis",
  };
  for (const char* key : keys) ::RegDeleteTreeA(HKEY_CURRENT_USER, key), ::RegDeleteKeyA(HKEY_CURRENT_USER, key);
  return 0;
}
