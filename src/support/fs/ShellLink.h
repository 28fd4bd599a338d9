#pragma once
// Shell shortcut files.

#include <cstdint>
#include <string>

// Writes a shortcut to `linkPath`: target, working folder = the target's folder (with its
// trailing backslash), arguments, icon, description, normal show command, and the hot key only
// when it is not 0. Raises std::runtime_error "<system error text>, ClassID: <class id>" when
// the link object cannot be made; false when the link could not be saved (an older file of
// that name may still be there). The link's folder must exist.
bool CreateShellLink(const std::string& linkPath, const std::string& target, const std::string& arguments,
                     const std::string& description, const std::string& iconPath, std::int32_t iconIndex,
                     std::uint16_t hotKey);

// The target path a shortcut file stores (not resolved); "" when the file cannot be read as one.
std::string ShellLinkTarget(const std::string& linkPath);
