#pragma once
// Small text helpers shared by the whole program. Text is 8-bit ANSI; "lower case" means the
// ASCII letters A to Z only, as every comparison in the installer is made.

#include <string>
#include <string_view>

std::string AsciiLower(std::string_view text);

// The text without `blanks` at either end (blanks and tabs unless told otherwise).
std::string_view Trimmed(std::string_view text, std::string_view blanks = " \t");

// Flags as the log and the record show them.
const char* BoolText(bool flag);       // "True" / "False"
const char* BoolTextLower(bool flag);  // "true" / "false"
