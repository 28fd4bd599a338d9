#pragma once
// A progress window for tests: it records every call as a line of text and presses Cancel
// where its script says, as a user's click would take effect inside the real window's calls.
// Its end state is acknowledged at once, which (OK and the close box alike) leaves Cancelled as
// it was before the end.

#include <memory>
#include <string>
#include <vector>

#include "support/run/InstallProgress.h"

struct ProgressScript {
  // Cancelled turns true in the SetPosition that follows this file (counted from 1, as the
  // window counts them); 0 never.
  int cancelAfterFile = 0;

  // "SetProgramName <name>", "SetStage <text>", "Show", "SetTotal <n>", "SetFileName <path>",
  // "SetPosition <n>", "ShowDone <stage>" and "Destroyed", in the order of the calls.
  std::vector<std::string> calls;
  int windowsMade = 0;
  bool windowAlive = false;
};

class ScriptedProgress : public InstallProgress {
 public:
  explicit ScriptedProgress(ProgressScript& script);
  ~ScriptedProgress() override;
  ScriptedProgress(const ScriptedProgress&) = delete;
  ScriptedProgress& operator=(const ScriptedProgress&) = delete;

  void SetProgramName(const std::string& name) override;
  void SetStage(const std::string& text) override;
  void Show() override;
  void SetTotal(std::int32_t bytes) override;
  void SetFileName(const std::string& path) override;
  void SetPosition(std::int32_t bytes) override;
  void ShowDone(const std::string& stage) override;
  bool Cancelled() const override { return m_cancelled; }

 private:
  ProgressScript& m_script;
  int m_files = 0;
  bool m_cancelled = false;
};

// A factory that makes ScriptedProgress windows playing `script`, which must outlive them.
InstallProgressFactory ScriptedProgressFactory(ProgressScript& script);
