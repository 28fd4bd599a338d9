#pragma once
// The process command line: the raw text as the system gave it, and the arguments split from it.
// Splitting: blanks (space, tab) separate arguments; a pair of double quotes groups blanks into
// one argument and is removed; a backslash is an ordinary character (no escape rules), so
// "/dir=c:\my games\" is one argument that ends in a backslash.

#include <string>
#include <string_view>
#include <vector>

std::vector<std::string> SplitCommandLine(std::string_view raw);

class CommandLine {
 public:
  explicit CommandLine(std::string raw);

  const std::string& Raw() const { return m_raw; }
  // Number of arguments after the program path (argument 0).
  int Count() const { return static_cast<int>(m_args.size()) - 1; }
  // Argument i (0 = program path); empty when there is no such argument.
  std::string Arg(int i) const;
  // Case-sensitive substring test over the whole raw text, program path included.
  bool RawContains(std::string_view text) const;
  // Substring test over the lower-cased raw text (pass the text in lower case).
  bool RawContainsLower(std::string_view lowerText) const;

 private:
  std::string m_raw;
  std::vector<std::string> m_args;
};
