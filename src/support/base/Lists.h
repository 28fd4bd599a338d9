#pragma once
// List strings: flat texts whose items are separated by a one-character separator
// ("," "|" or ";"). Callers take items off the front with SplitFirst until the list is empty.

#include <string>
#include <string_view>
#include <vector>

// Takes the first item off `list` and returns it. With a one-character `separators` text the
// item ends at that character; with any other length every character of it separates (and an
// empty separators text never matches). Without a separator the whole list is the item and the
// list becomes empty. Two adjacent separators give an empty item.
std::string SplitFirst(std::string& list, std::string_view separators);

// The items of a list string in order, each without its leading and trailing blanks, empty
// ones left out.
std::vector<std::string> ListItems(std::string_view list, char separator);

// Number of characters `c` in `text`, counted up to the first NUL byte.
int CountChar(char c, std::string_view text);

// 1-based position of the first exact occurrence of `part` in `text`, 0 when absent
// (and for an empty part); the
// position is also stored in `position`.
int FindSubText(std::string_view part, std::string_view text, int& position);
