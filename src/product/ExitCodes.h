#pragma once
// The exit codes of both programs, in one place: two tables that meet at 4 and 5. Codes 1, 2
// and 3 mean different things in each program.

// Both programs.
inline constexpr int kExitFailed = 4;
inline constexpr int kExitCancelled = 5;

// The installer's (an interactive run always ends with 0).
inline constexpr int kExitInstalled = 0;
inline constexpr int kExitAnotherCopy = 1;
inline constexpr int kExitRefusedFolder = 2;
inline constexpr int kExitDamaged = 3;
inline constexpr int kExitPartial = 6;

// The uninstaller's.
inline constexpr int kExitRemoved = 0;
inline constexpr int kExitAlreadyRunning = 1;
inline constexpr int kExitBadRecord = 2;
inline constexpr int kExitFilesKept = 3;
