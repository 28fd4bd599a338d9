// Runs damaged copies of the installer one after another inside one Wine session, which saves
// a Wine start-up per copy. Each line of the plan names one copy and the seconds it may run:
//   <id> flip <file offset> <bit> <item> <seconds>   one bit of the original flipped
//   <id> cut <length> <item> <seconds>               the original cut to that many bytes
// Each copy is written to a file of its own, <work>\c<id>.exe (Wine may hand a new process the
// image it mapped for an earlier one from the same file, bytes the file no longer holds). The
// copies stay until the whole plan has run, so that no copy's file takes the place (the inode)
// of a deleted earlier one. Each is started as
//   c<id>.exe "/dir=<work>\d<id>" /verysilent /suppressmsgboxes
// A copy still running after its seconds is "slow"; one still running after six times as long
// again is terminated and counted as hanging (on a busy, emulated processor a healthy run can
// pass its seconds; a hung one never ends). One result line per copy on stdout, tab-separated:
//   <id> <ended|slow|hang|noload> <exit code or load error> <files left in the folder> <damage line>
// where the damage line is the run log's "The installer is damaged (...)" line of that run
// naming <item> ("*" for any item), or "-".
//
// usage: robustness_damage_driver <installer.exe> <plan file> <work folder>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <windows.h>

#include "common/ScratchFolder.h"
#include "support/fs/Folders.h"
#include "support/win/UniqueHandle.h"

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The first line of the run log that reports the damaged installer and names the item.
std::string DamageLine(const std::string& log, const std::string& item) {
  std::istringstream lines(log);
  std::string line;
  const std::string wanted = Lower(item == "*" ? std::string("The installer is damaged (RS_")
                                               : "The installer is damaged (" + item + ":");
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (Lower(line).find(wanted) != std::string::npos) return line;
  }
  return "-";
}

struct Outcome {
  std::string state;
  DWORD code = 0;
};

Outcome RunCopy(const std::string& exe, const std::string& folder, DWORD limitMs) {
  std::string commandLine = "\"" + exe + "\" \"/dir=" + folder + "\" /verysilent /suppressmsgboxes";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
    return {"noload", ::GetLastError()};
  UniqueKernelHandle process(info.hProcess);
  UniqueKernelHandle thread(info.hThread);
  Outcome outcome{"ended", 0};
  if (::WaitForSingleObject(process.get(), limitMs) != WAIT_OBJECT_0) {
    outcome.state = "slow";
    if (::WaitForSingleObject(process.get(), 6 * limitMs) != WAIT_OBJECT_0) {
      ::TerminateProcess(process.get(), 0xDEAD);
      ::WaitForSingleObject(process.get(), INFINITE);
      outcome.state = "hang";
    }
  }
  ::GetExitCodeProcess(process.get(), &outcome.code);
  return outcome;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: robustness_damage_driver <installer.exe> <plan file> <work folder>\n");
    return 2;
  }
  const std::string original = ReadWholeFile(argv[1]);
  std::ifstream plan(argv[2]);
  const std::string work = std::string(argv[3]) + "\\";
  if (original.empty() || !plan) {
    std::fprintf(stderr, "cannot read the installer or the plan\n");
    return 2;
  }
  ::CreateDirectoryA(work.c_str(), nullptr);

  std::vector<std::string> copies;
  std::string line;
  while (std::getline(plan, line)) {
    std::istringstream fields(line);
    std::string id, kind, item;
    unsigned long long a = 0, b = 0, seconds = 0;
    fields >> id >> kind >> a;
    if (kind == "flip") fields >> b;
    fields >> item >> seconds;
    if (!fields || (kind != "flip" && kind != "cut") || a >= original.size() + (kind == "cut")) {
      std::fprintf(stderr, "bad plan line: %s\n", line.c_str());
      return 2;
    }
    const std::string exe = work + "c" + id + ".exe";
    // The run log is named after the running executable.
    const std::string log = CommonDocumentsFolder() + "corvane\\c" + id + ".log";
    std::string copy = original;
    if (kind == "flip")
      copy[a] = static_cast<char>(copy[a] ^ (1u << (b & 7)));
    else
      copy.resize(a);
    if (!WriteWholeFile(exe, copy)) {
      std::fprintf(stderr, "cannot write %s\n", exe.c_str());
      return 2;
    }
    const std::string folder = work + "d" + id;
    RemoveTree(folder);
    // A log left by an earlier campaign is not this run's.
    ::DeleteFileA(log.c_str());
    const Outcome outcome = RunCopy(exe, folder, static_cast<DWORD>(seconds * 1000));
    const std::size_t files = FilesBelow(folder + "\\").size();
    std::printf("%s\t%s\t%lu\t%zu\t%s\n", id.c_str(), outcome.state.c_str(), static_cast<unsigned long>(outcome.code),
                files, DamageLine(ReadWholeFile(log), item).c_str());
    std::fflush(stdout);
    RemoveTree(folder);
    ::DeleteFileA(log.c_str());
    copies.push_back(exe);
  }
  for (const std::string& exe : copies) ::DeleteFileA(exe.c_str());
  return 0;
}
