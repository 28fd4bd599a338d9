#pragma once
// What the install run sees of its progress window: plain calls on the one UI thread and the
// Cancelled flag. The real window processes pending messages inside Show, SetTotal, SetPosition
// and ShowDone, so Pause and Cancel act between files; tests and the silent modes stand in.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class InstallProgress {
 public:
  virtual ~InstallProgress() = default;

  virtual void SetProgramName(const std::string& name) = 0;
  virtual void SetStage(const std::string& text) = 0;
  // Shows the window without waiting: not cancelled, bar and counters hidden.
  virtual void Show() = 0;
  // The byte total of the run; the byte line reads 0 of `bytes`, the file count starts again.
  virtual void SetTotal(std::int32_t bytes) = 0;
  // The file about to be written (full path); counts one more file.
  virtual void SetFileName(const std::string& path) = 0;
  // Bytes written so far (a running sum).
  virtual void SetPosition(std::int32_t bytes) = 0;
  // The end state with `stage` as its stage line; waits for OK or close unless already
  // cancelled. Afterwards Cancelled() tells whether the run had been cancelled before the end.
  virtual void ShowDone(const std::string& stage) = 0;
  virtual bool Cancelled() const = 0;
  // The file just named could not be written (the window may show the run in error).
  virtual void FileFailed() {}
};

// Makes the run's progress window; the run destroys it (by releasing it) on every path.
using InstallProgressFactory = std::function<std::unique_ptr<InstallProgress>()>;
