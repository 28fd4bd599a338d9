#pragma once
// Small text helpers shared by the whole program. Text is 8-bit ANSI; "lower case" means the
// ASCII letters A to Z only, as every comparison in the installer is made, and only where they
// are characters of their own (never the second byte of a double-byte character).

#include <string>
#include <string_view>

std::string AsciiLower(std::string_view text);
// Whether the two texts are the same but for the letter case of A to Z.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// The text without `blanks` at either end (blanks and tabs unless told otherwise).
std::string_view Trimmed(std::string_view text, std::string_view blanks = " \t");

// Flags as the log and the record show them.
const char* BoolText(bool flag);       // "True" / "False"
const char* BoolTextLower(bool flag);  // "true" / "false"
