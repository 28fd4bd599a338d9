#pragma once
// The run log as tests read it: the messages, without the time and memory fields.

#include <string>
#include <vector>

// The message of one line, between its time field and its memory field; "<malformed>" for a
// line of another form.
std::string LogMessageOf(const std::string& line);
// The messages of this process's run log (LogPath), in order.
std::vector<std::string> LogMessages();
