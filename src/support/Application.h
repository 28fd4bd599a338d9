#pragma once
// The application's title (shown as the caption of plain message boxes) and the one place
// where an error that reaches the top of the program is shown to the user.

#include <string>

void SetApplicationTitle(std::string title);
const std::string& ApplicationTitle();

// Shows an error message box titled with the application title.
void ShowException(const std::string& message);
