#pragma once
// The system's own folders that no install folder may be, or lie above: an install there could
// never be removed (the uninstaller refuses to empty them), and would mix the product's files
// with the system's or the user's. One rule for the installer and the uninstaller.

#include <string>
#include <vector>

// Windows, System32, both Program Files, the user profile and the folder of profiles, desktop,
// documents, downloads, pictures, music, videos, saved games, Start menu, application data,
// all users' data and documents; each as the system gives it and in its canonical form.
std::vector<std::string> SystemFolders();
