#pragma once
// Where the installer writes its run log in the prefix, and one start-and-close of it.

#include <string>

// The all-users documents folder + "corvane\".
std::string RunLogFolder();

// Starts the installer, waits for its main window, closes it and expects exit code 0
// (GoogleTest assertions).
void StartAndClose(const std::string& exePath);
