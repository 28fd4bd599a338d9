#pragma once
// The progress window of an install run: program name, stage, the file being written, a file
// count, the level bar over the bytes written and the byte line, with Pause/Resume and Cancel.
// The run drives it by plain calls and reads Cancelled; the window keeps itself and its buttons
// alive by processing pending messages inside those calls. Pausing and the end-state wait are
// nested message loops on the one UI thread.

#include <cstdint>
#include <memory>
#include <string>

#include "support/base/Format.h"
#include "support/run/InstallProgress.h"
#include "ui/Form.h"
#include "ui/TaskbarProgress.h"

class Label;
class TAdvPanel;
class TAdvProgressBar;
class TAdvToolButton;

class TInstProgressForm : public Form, public InstallProgress {
 public:
  static constexpr int kClientWidth = 457;
  static constexpr int kClientHeight = 180;

  TInstProgressForm();

  // InstallProgress.
  void SetProgramName(const std::string& name) override;
  void SetStage(const std::string& text) override;
  void Show() override;
  void SetTotal(std::int32_t bytes) override;
  void SetFileName(const std::string& path) override;
  void SetPosition(std::int32_t bytes) override;
  void ShowDone(const std::string& stage) override;
  bool Cancelled() const override { return m_cancelled; }
  void FileFailed() override;

  bool Paused() const { return m_paused; }
  void SetPaused(bool paused);
  void SetCancelled(bool cancelled);
  // Whether ShowDone waits for OK (the silent mode's window does not).
  void SetWaitAtEnd(bool wait) { m_waitAtEnd = wait; }
  // What shows the run on the taskbar button (the shell's taskbar list unless set).
  void SetTaskbar(std::unique_ptr<TaskbarProgress> taskbar) { m_taskbar = std::move(taskbar); }

  // Event handlers.
  void btnPauseClick(TAdvToolButton& button);
  void AltPauseClick(TAdvToolButton& button);
  void btnCancelClick(TAdvToolButton& button);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void EscapePressed() override;
  bool FormCloseQuery() override;

 private:
  void FormCreate();
  // Normal while files are written, paused, error once a file failed, none at the end; only
  // after the shell has made the button.
  void UpdateTaskbar();
  void FormShow();
  // Processes pending messages until `done` or a quit message, sleeping while none is waiting.
  template <typename Done>
  void WaitUntil(Done done);

  TAdvPanel& m_upper;
  TAdvPanel& m_lower;
  Label& m_stage;
  Label& m_programName;
  Label& m_fileName;
  Label& m_files;
  TAdvProgressBar& m_bar;
  Label& m_status;
  TAdvToolButton& m_pause;
  TAdvToolButton& m_cancel;

  std::unique_ptr<TaskbarProgress> m_taskbar;
  bool m_taskbarReady = false;
  bool m_fileFailed = false;
  bool m_ended = false;
  bool m_paused = false;
  bool m_cancelled = false;
  bool m_waitAtEnd = true;
  std::int32_t m_totalBytes = 0;
  std::int32_t m_lastPosition = -1;
  DWORD m_statusAnnouncedAt = 0;
  std::int32_t m_fileCount = 0;
};

// The byte line: both counts as unsigned 32-bit numbers with the given thousands separator.
std::string ByteLine(std::int32_t bytes, std::int32_t total, const FormatSettings& settings);
