#include "common/ScratchFolder.h"

#include <algorithm>
#include <stdexcept>

#include <windows.h>

#include "support/win/UniqueHandle.h"

ScratchFolder::ScratchFolder(const std::string& tag) {
  char temp[MAX_PATH + 1] = {};
  ::GetTempPathA(MAX_PATH, temp);
  for (unsigned attempt = 0; attempt < 1000; ++attempt) {
    const std::string candidate = std::string(temp) + tag + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
                                  std::to_string(::GetTickCount() + attempt);
    if (::CreateDirectoryA(candidate.c_str(), nullptr)) {
      m_path = candidate + "\\";
      return;
    }
  }
  throw std::runtime_error("cannot make a scratch folder");
}

ScratchFolder::~ScratchFolder() { RemoveTree(m_path); }

void RemoveTree(const std::string& folder) {
  std::string base = folder;
  while (!base.empty() && base.back() == '\\') base.pop_back();
  if (base.empty()) return;
  WIN32_FIND_DATAA entry{};
  UniqueFindHandle search(::FindFirstFileA((base + "\\*").c_str(), &entry));
  if (search) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = base + "\\" + name;
      ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        ::DeleteFileA(path.c_str());
    } while (::FindNextFileA(search.get(), &entry));
    search.reset();
  }
  ::SetFileAttributesA(base.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::RemoveDirectoryA(base.c_str());
}

std::string ReadWholeFile(const std::string& path) {
  UniqueFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
  return content;
}

bool WriteWholeFile(const std::string& path, const std::string& content) {
  UniqueFileHandle file(
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
         written == content.size();
}

std::vector<std::string> CrLfLines(const std::string& content) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < content.size()) {
    const size_t end = content.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(content.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(content.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::vector<std::string> FilesBelow(const std::string& folder) {
  std::vector<std::string> found;
  WIN32_FIND_DATAA data{};
  UniqueFindHandle find(::FindFirstFileA((folder + "*").c_str(), &data));
  if (!find) return found;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      for (const auto& f : FilesBelow(folder + name + "\\")) found.push_back(name + "\\" + f);
    } else {
      found.push_back(name);
    }
  } while (::FindNextFileA(find.get(), &data));
  std::sort(found.begin(), found.end());
  return found;
}
