#include "support/ProgramShell.h"

#include <windows.h>

#include "support/Folders.h"
#include "support/Paths.h"
#include "support/RunLog.h"
#include "support/System.h"

ProgramShell::ProgramShell() = default;

bool ProgramShell::TakeSingleInstance(const char* mutexName) {
  HANDLE mutex = ::CreateMutexA(nullptr, TRUE, mutexName);
  const DWORD error = ::GetLastError();
  m_mutex.reset(mutex);
  return mutex && error != ERROR_ALREADY_EXISTS;
}

void ProgramShell::StartLog() {
  SetLogEnabled(true);
  StartRunLog(CommonDocumentsFolder() + "corvane\\" + NamePart(OwnFilePath()));
}

int ProgramShell::Finish(int code, std::string_view words) {
  LogFormat("Exit code %d: %s", code, words);
  return code;
}
