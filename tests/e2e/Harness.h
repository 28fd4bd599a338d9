#pragma once
// Drives the real installer under Wine: starts it, waits for its windows, closes them, and
// collects the exit code. A process still running when its object goes is terminated.

#include <initializer_list>
#include <string>
#include <vector>

#include <windows.h>

#include "support/win/UniqueHandle.h"
#include "ui/WindowDpi.h"

// The installer built by the project.
std::string InstallerPath();

class InstallerProcess {
 public:
  // Starts exePath with the given argument text (appended after the quoted path).
  static InstallerProcess Start(const std::string& exePath, const std::string& arguments = "");

  InstallerProcess(InstallerProcess&&) noexcept = default;
  InstallerProcess& operator=(InstallerProcess&&) noexcept = default;
  ~InstallerProcess();

  DWORD Pid() const { return m_pid; }
  // The process's visible top-level windows now.
  std::vector<HWND> VisibleWindows() const;
  // Waits for a visible top-level window of this process with exactly this caption.
  HWND WaitForWindow(const std::string& caption, DWORD timeoutMs) const;
  // True when the process ended within the time.
  bool WaitForExit(DWORD timeoutMs) const;
  DWORD ExitCode() const;

 private:
  InstallerProcess() = default;
  UniqueKernelHandle m_process;
  DWORD m_pid = 0;
};

std::string WindowCaption(HWND hwnd);

// Brings `window` to the foreground, then posts key presses, one after the other, to the window
// that has the keyboard focus in its thread, as the system would queue them.
void PressKeys(HWND window, std::initializer_list<WORD> keys);
SIZE ClientSize(HWND hwnd);

// Saves the window as it is on screen to the artefact folder; returns the file's path.
std::string SaveScreenshot(HWND hwnd, const std::string& name);
