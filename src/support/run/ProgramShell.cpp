#include "support/run/ProgramShell.h"

#include <windows.h>

#include "support/base/CodePage.h"
#include "support/base/Paths.h"
#include "support/fs/Folders.h"
#include "support/run/RunLog.h"
#include "support/win/CodePageSystem.h"
#include "support/win/System.h"

ProgramShell::ProgramShell() {
  // Before anything reads a path or the command line: the text helpers step by character in
  // the system's code page.
  UseSystemLeadBytes(SystemLeadBytes());
}

bool ProgramShell::TakeSingleInstance(const char* mutexName) {
  HANDLE mutex = ::CreateMutexA(nullptr, TRUE, mutexName);
  const DWORD error = ::GetLastError();
  m_mutex.reset(mutex);
  return mutex && error != ERROR_ALREADY_EXISTS;
}

namespace {

// The all-users documents folder; when the system cannot name it (Wine cannot while a user
// shell folder has a name outside the code page), the user's temporary folder. Never a
// relative path, which would put the log wherever the program was started from. "" for none.
std::string LogParentFolder() {
  const std::string documents = CommonDocumentsFolder();
  if (!documents.empty()) return documents;
  char temp[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathA(MAX_PATH, temp);
  const std::string folder(temp, length <= MAX_PATH ? length : 0);
  return folder.size() >= 3 && folder[1] == ':' && folder[2] == '\\' && EndsWithCharacter(folder, '\\') ? folder : std::string();
}

}  // namespace

void ProgramShell::StartLog(bool logSwitch) {
  const std::string folder = LogParentFolder();
  SetLogEnabled(!folder.empty());
  if (!folder.empty()) StartRunLog(folder + "corvane\\" + NamePart(OwnFilePath()), logSwitch);
}

void ProgramShell::ContinueLog(std::string_view programName, const FileIdentity& identity) {
  const std::string folder = LogParentFolder();
  if (!folder.empty()) ContinueRunLog(ReplaceExtension(folder + "corvane\\" + std::string(programName), ".log"), identity);
}

int ProgramShell::Finish(int code, std::string_view words) {
  LogFormat("Exit code %d: %s", code, words);
  return code;
}
