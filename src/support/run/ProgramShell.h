#pragma once
// What both programs do around their work: the DLL search restricted before anything loads a
// library, a COM apartment for the shell's objects, text read in the system's code page, one
// copy at a time, the run log in the all-users documents folder, and the exit code as the
// run's last log line.

#include <string_view>

#include "support/fs/NewFile.h"
#include "support/run/StartUpGuards.h"
#include "support/win/UniqueHandle.h"

class ProgramShell {
 public:
  ProgramShell();
  ProgramShell(const ProgramShell&) = delete;
  ProgramShell& operator=(const ProgramShell&) = delete;

  // Takes the program's named mutex for the life of the shell. False when another copy holds
  // it (or it could not be made): this copy then ends at once, without a window or message.
  bool TakeSingleInstance(const char* mutexName);

  // Switches the run log on and starts it: "corvane\<program name>.log" below the all-users
  // documents folder, re-created on every run. `logSwitch`: the run's "/log".
  static void StartLog(bool logSwitch);
  // Goes on with the log that the program `programName` started (the file `identity` names).
  static void ContinueLog(std::string_view programName, const FileIdentity& identity);

  // Logs "Exit code <code>: <words>" and returns the code.
  static int Finish(int code, std::string_view words);

 private:
  struct DllSearchRestricted {
    DllSearchRestricted() { RestrictDllSearch(); }
  };
  DllSearchRestricted m_dllSearch;  // first: before COM loads anything
  ComApartment m_com;
  UniqueKernelHandle m_mutex;
};
