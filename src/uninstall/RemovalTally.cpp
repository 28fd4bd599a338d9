#include "uninstall/RemovalTally.h"

#include "support/run/RunLog.h"

void RemovalTally::Removed(const std::string& path) {
  LogFormat("Uninstall.Removed %s", path);
  ++m_removed;
}

void RemovalTally::Renamed(const std::string& from, const std::string& to) {
  LogFormat("Uninstall.Renamed %s to %s", from, to);
}

void RemovalTally::Kept(const std::string& path, const std::string& reason) {
  LogFormat("Uninstall.Kept %s (%s)", path, reason);
  m_report.push_back(path + " (" + reason + ")");
}

void RemovalTally::NotRemoved(const std::string& path, const std::string& reason) {
  Kept(path, reason);
  m_systemRefused = true;
}

void RemovalTally::Refused(const std::string& list, const std::string& entry, const std::string& reason) {
  LogFormat("Uninstall.Refused %s entry %s (%s)", list, entry, reason);
  m_report.push_back(entry + " (refused: " + reason + ")");
}

void RemovalTally::LeftAlone(const std::string& what, const std::string& reason) {
  LogFormat("Uninstall.Left %s (%s)", what, reason);
}
