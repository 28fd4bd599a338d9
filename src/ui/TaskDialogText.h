#pragma once
// Text for the platform's task dialog: a backslash followed by "n" becomes a line break; a
// doubled backslash before "n" is only reduced to a single one.

#include <string>
#include <string_view>

std::string ExpandTaskDialogBreaks(std::string_view text);
