#pragma once
// A plain system message box: the text, the application title, an information icon, OK.

#include <string>

void InfoBox(const std::string& text);
