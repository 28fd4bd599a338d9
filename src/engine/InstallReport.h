#pragma once
// The closing reports of the install run (shown titled with the product's name). Files that
// could not be written are named in each, one path a line.

#include <string>
#include <string_view>
#include <vector>

// A complete run: "Quillon, version <v>, was installed successfully." or, with failures,
// "..., was installed, but <k> of <total> files could not be written:" and the paths; then the
// desktop instruction.
std::string CompletionReport(std::string_view version, const std::vector<std::string>& failed, int total);

// "Installation cancelled. <handled> of <total> files were installed.", and the failed files.
std::string CancelReport(int handled, int total, const std::vector<std::string>& failed);

// Two empty lines and how to start the product from the publisher's menu program, and the
// failed files.
std::string MenuReport(const std::vector<std::string>& failed);

// A run in which not one file could be written: the failed files.
std::string NothingWrittenReport(const std::vector<std::string>& failed);
