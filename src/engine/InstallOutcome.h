#pragma once
// What an install run came to: the silent modes turn it into an exit code, the window reads
// whether the product was installed. Also the one failure that names a damaged installer.

#include <stdexcept>
#include <string>

struct InstallOutcome {
  enum class Kind { NotRun, Installed, InstalledWithFailures, InstalledUnderMenu, Cancelled, ItemsUnreadable, Damaged, Failed };
  Kind kind = Kind::NotRun;
  int filesTotal = 0;    // files the run was to write (n)
  int filesHandled = 0;  // files it got to before it ended (i + 1 when cancelled)
  int filesFailed = 0;   // files, and the uninstall record, that could not be written
  std::string message;   // for Damaged and Failed: what went wrong
  bool stopped = false;  // a failure stopped the run, and no report of the run has shown `message`

  bool Installed() const {
    return kind == Kind::Installed || kind == Kind::InstalledWithFailures || kind == Kind::InstalledUnderMenu;
  }
};

// A payload item of this installer is missing or damaged. The message is the one text the user
// is shown: "The installer is damaged (<item>: <reader's message>). Please obtain a new copy of
// it."
class EInstallerDamaged : public std::runtime_error {
 public:
  EInstallerDamaged(const std::string& itemName, const std::string& readerMessage);
};
