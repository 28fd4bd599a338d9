#include "win32/ScriptedProgress.h"

ScriptedProgress::ScriptedProgress(ProgressScript& script) : m_script(script) {
  ++m_script.windowsMade;
  m_script.windowAlive = true;
}

ScriptedProgress::~ScriptedProgress() {
  m_script.calls.push_back("Destroyed");
  m_script.windowAlive = false;
}

void ScriptedProgress::SetProgramName(const std::string& name) { m_script.calls.push_back("SetProgramName " + name); }

void ScriptedProgress::SetStage(const std::string& text) { m_script.calls.push_back("SetStage " + text); }

void ScriptedProgress::Show() {
  m_script.calls.push_back("Show");
  m_cancelled = false;
}

void ScriptedProgress::SetTotal(std::int32_t bytes) {
  m_script.calls.push_back("SetTotal " + std::to_string(bytes));
  m_files = 0;
}

void ScriptedProgress::SetFileName(const std::string& path) {
  m_script.calls.push_back("SetFileName " + path);
  ++m_files;
}

void ScriptedProgress::SetPosition(std::int32_t bytes) {
  m_script.calls.push_back("SetPosition " + std::to_string(bytes));
  if (m_script.cancelAfterFile > 0 && m_files >= m_script.cancelAfterFile) m_cancelled = true;
}

void ScriptedProgress::ShowDone(const std::string& stage) {
  // Acknowledged at once; Cancelled keeps telling whether the run was cancelled before the end.
  m_script.calls.push_back("ShowDone " + stage);
}

InstallProgressFactory ScriptedProgressFactory(ProgressScript& script) {
  return [&script] { return std::make_unique<ScriptedProgress>(script); };
}
