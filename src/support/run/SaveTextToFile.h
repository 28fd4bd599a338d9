#pragma once
// A whole text file written through a new file that then takes its name; a write that falls
// short is also reported in a message box.

#include <string>
#include <string_view>

#include "support/fs/WriteResult.h"

// Writes `text` as the whole content of the file; an empty text deletes the file instead, which
// counts as written. A file that cannot be opened for writing gives the open's error without a
// report and keeps its content; a short write is also reported in a message box. The text goes
// to a new file that then takes the name (a link there is replaced, never written through).
WriteResult SaveTextToFile(const std::string& path, std::string_view text);
