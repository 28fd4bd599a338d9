#include "uninstall/UninstallCommandLine.h"

#include <cstdint>

#include "support/base/CodePage.h"
#include "support/base/Text.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }


// Takes the last blank-separated word off `text` when it is one of the switches.
bool TakeSwitch(std::string_view& text, UninstallOptions& options) {
  const size_t cut = text.find_last_of(" \t");
  const std::string word = AsciiLower(cut == std::string_view::npos ? text : text.substr(cut + 1));
  bool* flag = word == "/silent"             ? &options.silent
               : word == "/verysilent"       ? &options.verySilent
               : word == "/suppressmsgboxes" ? &options.suppressMsgBoxes
                                             : nullptr;
  if (!flag) return false;
  *flag = true;
  text = Trimmed(cut == std::string_view::npos ? std::string_view() : text.substr(0, cut));
  return true;
}

// A path in double quotes must be the whole rest; a quote anywhere else makes no path at all.
std::string PathOf(std::string_view rest) {
  if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') rest = rest.substr(1, rest.size() - 2);
  if (rest.find('"') != std::string_view::npos) return {};
  return std::string(Trimmed(rest));
}

}  // namespace

std::string ArgumentsAfterProgram(std::string_view raw) {
  raw = Trimmed(raw);
  size_t end = 0;
  if (!raw.empty() && raw.front() == '"') {
    const size_t close = raw.find('"', 1);
    end = close == std::string_view::npos ? raw.size() : close + 1;
  } else {
    const std::string lower = AsciiLower(raw);
    size_t exe = lower.find(".exe");
    while (exe != std::string::npos && exe + 4 < lower.size() && !IsBlank(lower[exe + 4]))
      exe = lower.find(".exe", exe + 1);
    if (exe != std::string::npos) {
      end = exe + 4;
    } else {
      const size_t blank = raw.find_first_of(" \t");
      end = blank == std::string_view::npos ? raw.size() : blank;
    }
  }
  return std::string(Trimmed(raw.substr(end)));
}

UninstallOptions ParseUninstallArguments(std::string_view arguments) {
  UninstallOptions options;
  std::string_view rest = Trimmed(arguments);
  while (!rest.empty() && TakeSwitch(rest, options)) {
  }
  options.recordPath = PathOf(rest);
  return options;
}

std::optional<SelfRemovalOptions> ParseSelfRemovalArguments(std::string_view arguments) {
  arguments = Trimmed(arguments);
  const std::string_view prefix = kSelfRemoveSwitch;
  if (arguments.size() <= prefix.size() || AsciiLower(arguments.substr(0, prefix.size())) != AsciiLower(prefix))
    return std::nullopt;
  arguments.remove_prefix(prefix.size());
  SelfRemovalOptions options;
  size_t i = 0;
  for (; i < arguments.size() && arguments[i] >= '0' && arguments[i] <= '9'; ++i) {
    if (options.parentProcess > (UINTPTR_MAX - 9) / 10) return std::nullopt;
    options.parentProcess = options.parentProcess * 10 + static_cast<std::uintptr_t>(arguments[i] - '0');
  }
  if (i == 0 || options.parentProcess == 0) return std::nullopt;
  std::string_view rest = arguments.substr(i);
  const auto identity = [&rest](bool noneAllowed) -> std::optional<std::string> {
    rest = Trimmed(rest);
    const std::string_view word = rest.substr(0, rest.find(' '));
    rest.remove_prefix(word.size());
    if (noneAllowed && word == "-") return std::string();
    const bool form = word.size() == 25 && word[8] == '-' &&
                      word.find_first_not_of("0123456789abcdef") == 8 &&
                      word.find_first_not_of("0123456789abcdef", 9) == std::string_view::npos;
    return form ? std::optional<std::string>(word) : std::nullopt;
  };
  const std::optional<std::string> folder = identity(false), log = identity(true);
  if (!folder || !log) return std::nullopt;
  options.folderIdentity = *folder;
  options.logIdentity = *log;
  const std::string paths = PathOf(Trimmed(rest));
  const size_t bar = FindCharacter(paths, "|");
  if (bar == std::string::npos || bar == 0 || bar + 1 == paths.size()) return std::nullopt;
  options.programPath = paths.substr(0, bar);
  options.recordPath = paths.substr(bar + 1);
  return options;
}

std::string SelfRemovalArguments(const SelfRemovalOptions& options) {
  return std::string(kSelfRemoveSwitch) + std::to_string(options.parentProcess) + " " + options.folderIdentity + " " +
         (options.logIdentity.empty() ? "-" : options.logIdentity) + " \"" + options.programPath + "|" +
         options.recordPath + "\"";
}

RunSwitches UninstallOptions::Switches() const {
  RunSwitches switches;
  switches.mode = verySilent ? RunMode::VerySilent : silent ? RunMode::Silent : RunMode::Interactive;
  switches.suppressMsgBoxes = suppressMsgBoxes || verySilent;
  return switches;
}
