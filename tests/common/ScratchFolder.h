#pragma once
// A fresh folder for one test, removed with everything in it when the object goes.

#include <cstdint>
#include <string>
#include <vector>

class ScratchFolder {
 public:
  // A new, empty folder below the system's temporary folder; its name starts with `tag`.
  explicit ScratchFolder(const std::string& tag);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder with one trailing backslash.
  const std::string& Path() const { return m_path; }
  std::string operator/(const std::string& name) const { return m_path + name; }

 private:
  std::string m_path;
};

// Deletes a folder and everything below it (read-only files included); quiet when missing.
void RemoveTree(const std::string& folder);

// Whole content of a file; "" when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// Writes a file in one go, replacing it; false on failure.
bool WriteWholeFile(const std::string& path, const std::string& content);
// The lines of a text whose lines end in CR LF; a last line without one is marked
// "<no CR LF>" so that a comparison shows it.
std::vector<std::string> CrLfLines(const std::string& content);

// The files below a folder (given with its trailing backslash), as paths relative to it, sorted.
std::vector<std::string> FilesBelow(const std::string& folder);
