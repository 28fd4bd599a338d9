#pragma once
// Version texts from files' version records.

#include <string>

// "%d.%d.%d.%d" from the fixed file version of the file's version record; for a file without
// one, "date: " + the file's date in the locale's short date format.
std::string FileVersionText(const std::string& path);
// FileVersionText of the running program's own file.
std::string OwnVersionText();
