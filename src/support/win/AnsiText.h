#pragma once
// This program's text is ANSI: the system's wide text converted to the ANSI code page, when
// the code page holds every character of it.

#include <optional>
#include <string>

// The ANSI form of the wide text, or nothing when a character would be replaced ("?") or
// approximated by a look-alike.
std::optional<std::string> ExactAnsi(const wchar_t* wide);
