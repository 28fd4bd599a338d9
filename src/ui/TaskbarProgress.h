#pragma once
// The progress a window's taskbar button shows, where the shell has the taskbar-list
// interface. The progress window keeps its state and passes it on once the shell has said
// that the button exists ("TaskbarButtonCreated"); tests stand in for the shell.

#include <cstdint>
#include <memory>

#include <windows.h>

class TaskbarProgress {
 public:
  enum class State { None, Normal, Paused, Error };
  virtual ~TaskbarProgress() = default;
  virtual void Show(State state, std::uint64_t done, std::uint64_t total) = 0;
};

// The shell's taskbar list for `window`; one that does nothing where the system has none.
std::unique_ptr<TaskbarProgress> ShellTaskbarProgress(HWND window);

// The message the shell sends a window once its taskbar button exists.
UINT TaskbarButtonCreatedMessage();
