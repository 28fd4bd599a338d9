#pragma once
// What a whole-file write came to.

#include <cstdint>

// Error 0 when the file holds the new content, otherwise the system's error code. A short write
// for which the system gave no code counts as ERROR_HANDLE_DISK_FULL.
struct WriteResult {
  std::uint32_t error = 0;
  bool Written() const { return error == 0; }
};
