#include "support/base/CommandLine.h"

#include "support/base/Text.h"

std::vector<std::string> SplitCommandLine(std::string_view raw) {
  std::vector<std::string> args;
  size_t i = 0;
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (i < raw.size()) {
    while (i < raw.size() && isBlank(raw[i])) ++i;
    if (i >= raw.size()) break;
    std::string arg;
    bool quoted = false;
    for (; i < raw.size() && (quoted || !isBlank(raw[i])); ++i) {
      if (raw[i] == '"')
        quoted = !quoted;
      else
        arg += raw[i];
    }
    args.push_back(std::move(arg));
  }
  return args;
}

CommandLine::CommandLine(std::string raw) : m_raw(std::move(raw)), m_args(SplitCommandLine(m_raw)) {
  if (m_args.empty()) m_args.emplace_back();
}

std::string CommandLine::Arg(int i) const {
  if (i < 0 || i >= static_cast<int>(m_args.size())) return {};
  return m_args[static_cast<size_t>(i)];
}

bool CommandLine::RawContains(std::string_view text) const {
  return m_raw.find(text) != std::string::npos;
}

bool CommandLine::RawContainsLower(std::string_view lowerText) const {
  return AsciiLower(m_raw).find(lowerText) != std::string::npos;
}
