#include "product/RecordReader.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "product/RecordLists.h"
#include "support/base/Paths.h"
#include "support/base/Text.h"

namespace {

// The next line of `text` without its CR LF (a lone LF ends a line too).
std::string_view TakeLine(std::string_view& text) {
  const size_t end = text.find('\n');
  std::string_view line = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

std::string* FieldOf(UninstallRecordData& data, const std::string& key) {
  const std::pair<const char*, std::string UninstallRecordData::*> fields[] = {
      {kKeyGuid, &UninstallRecordData::guid},
      {kKeyProgramName, &UninstallRecordData::programName},
      {kKeyInstallDir, &UninstallRecordData::installDir},
      {kKeyUninstallExe, &UninstallRecordData::uninstallExe},
      {kKeyUninstallDat, &UninstallRecordData::uninstallDat},
      {kKeyFileList, &UninstallRecordData::fileList},
      {kKeyExtraList, &UninstallRecordData::extraList},
      {kKeyRenameList, &UninstallRecordData::renameList},
      {kKeyConditionalList, &UninstallRecordData::conditionalList},
      {kKeyDelIfEmpty, &UninstallRecordData::delIfEmpty},
      {kKeyGroupFolder, &UninstallRecordData::groupFolder},
      {kKeyShortcuts, &UninstallRecordData::shortcuts},
  };
  for (const auto& [name, member] : fields)
    if (key == AsciiLower(name)) return &(data.*member);
  return nullptr;
}

bool IsSectionHead(std::string_view line) { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

}  // namespace

RecordReading ReadUninstallRecord(std::string_view text, std::string_view recordFolder,
                                  const FolderCanonicaliser& canonical) {
  RecordReading reading;
  if (text.find('\0') != std::string_view::npos) {
    reading.error = "the record holds a NUL byte";
    return reading;
  }
  if (AsciiLower(Trimmed(TakeLine(text))) != "[uninstall]") {
    reading.error = "the record does not begin with [Uninstall]";
    return reading;
  }
  std::vector<std::string> seen;
  while (!text.empty()) {
    const std::string_view line = TakeLine(text);
    if (IsSectionHead(Trimmed(line))) break;  // the next section is not ours
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string key = AsciiLower(Trimmed(line.substr(0, equals)));
    std::string* field = FieldOf(reading.data, key);
    // The first line of a key counts: a repeated Install_Dir cannot move the folder afterwards.
    if (!field || std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
    *field = std::string(line.substr(equals + 1));
    seen.push_back(key);
  }
  if (Trimmed(reading.data.installDir).empty()) {
    reading.error = "the record names no Install_Dir";
    return reading;
  }
  // A share, device or verbatim path is refused by its text: asking the system for its long
  // form would log the user on to that host.
  const std::string_view dir = reading.data.installDir;
  if (!(StartsWithDriveLetter(dir) && dir.size() >= 3 && (dir[2] == '\\' || dir[2] == '/'))) {
    reading.error = "its Install_Dir " + reading.data.installDir + " is not a path on a drive";
    return reading;
  }
  const std::string named = canonical ? canonical(reading.data.installDir) : reading.data.installDir;
  if (AsciiLower(AddTrailingBackslash(named)) != AsciiLower(AddTrailingBackslash(recordFolder)))
    reading.error = "Install_Dir " + reading.data.installDir + " is not the folder the record lies in";
  return reading;
}
