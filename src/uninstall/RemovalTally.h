#pragma once
// The uninstaller's account of what it did: every removal, rename, kept file and refused entry
// leaves one line in the run log; kept files and refused entries are also named in the closing
// report and make the exit code 3.

#include <string>
#include <vector>

class RemovalTally {
 public:
  void Removed(const std::string& path);
  void Renamed(const std::string& from, const std::string& to);
  // A product file that stays by rule (it holds the user's data): reported.
  void Kept(const std::string& path, const std::string& reason);
  // A product file or link the system would not remove (held, read-only, access denied):
  // reported, and the uninstaller, its record and the uninstall entry stay for another run.
  void NotRemoved(const std::string& path, const std::string& reason);
  // A list entry that is not followed: reported.
  void Refused(const std::string& list, const std::string& entry, const std::string& reason);
  // Something left alone that is not the product's own (a user's file in a folder, another
  // installation's link or entry): logged only.
  void LeftAlone(const std::string& what, const std::string& reason);

  // One line per kept file or refused entry: path or entry, and the reason in brackets.
  const std::vector<std::string>& ReportLines() const { return m_report; }
  int RemovedCount() const { return m_removed; }
  bool SystemRefused() const { return m_systemRefused; }

 private:
  std::vector<std::string> m_report;
  bool m_systemRefused = false;
  int m_removed = 0;
};
