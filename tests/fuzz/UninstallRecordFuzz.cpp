// The uninstaller's record reading and list rules on arbitrary bytes: no input may crash or
// read out of bounds, and no entry the rules accept may leave the install folder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/base/Lists.h"
#include "product/RecordReader.h"
#include "uninstall/RemovalRules.h"
#include "uninstall/UninstallCommandLine.h"

namespace {

// An accepted entry has no absolute start, no drive or stream colon and no ".." step.
void CheckAccepted(std::string_view entry, bool pattern) {
  if (!EntryRefusal(entry, pattern).empty()) return;
  if (entry.empty() || entry.front() == '\\' || entry.front() == '/') __builtin_trap();
  if (entry.find(':') != std::string_view::npos) __builtin_trap();
  std::string padded = "\\" + std::string(entry) + "\\";
  for (char& c : padded)
    if (c == '/') c = '\\';
  if (padded.find("\\..\\") != std::string::npos || padded.find("\\.\\") != std::string::npos) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const RecordReading reading = ReadUninstallRecord(text, "c:\\zt\\");
  for (const std::string& entry : ListItems(reading.data.fileList, ',')) CheckAccepted(entry, false);
  for (const std::string& entry : ListItems(reading.data.extraList, ',')) {
    const ExtraEntry extra = ParseExtraEntry(entry);
    if (extra.refusal.empty()) CheckAccepted(extra.pattern, true);
    (void)MatchesPattern(extra.pattern, text.substr(0, 64));
  }
  for (const std::string& group : ListItems(reading.data.conditionalList, ';')) {
    const ConditionalGroup parsed = ParseConditionalGroup(group);
    if (!parsed.refusal.empty()) continue;
    for (const std::string& name : parsed.required) CheckAccepted(name, false);
    for (const std::string& pattern : parsed.patterns) CheckAccepted(pattern, true);
  }
  for (const std::string& entry : ListItems(reading.data.renameList, ',')) (void)ParseRenameEntry(entry);
  CheckAccepted(text, false);
  CheckAccepted(text, true);
  (void)InstallFolderRefusal(text, {"c:\\windows"});
  (void)ParseUninstallArguments(ArgumentsAfterProgram(text));
  (void)ParseSelfRemovalArguments(text);
  return 0;
}
