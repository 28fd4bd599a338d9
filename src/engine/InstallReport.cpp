#include "engine/InstallReport.h"

#include "support/base/Format.h"
#include "product/Product.h"

namespace {

std::string Paths(const std::vector<std::string>& failed) {
  std::string text;
  for (const std::string& path : failed) text += "\r\n" + path;
  return text;
}

// After another report's sentence, separated from it by an empty line.
std::string FailedFilesAfter(const std::vector<std::string>& failed) {
  if (failed.empty()) return {};
  return Format("\r\n\r\n%d files could not be written:", failed.size()) + Paths(failed);
}

}  // namespace

std::string CompletionReport(std::string_view version, const std::vector<std::string>& failed, int total) {
  std::string text =
      failed.empty()
          ? Format("%s, version %s, was installed successfully.", kProductName, version)
          : Format("%s, version %s, was installed, but %d of %d files could not be written:", kProductName, version,
                   failed.size(), total) +
                Paths(failed);
  return text + Format("\n\nTo run %s, Click the %s icon on your desktop.", kProductName, kProductLabel);
}

std::string CancelReport(int handled, int total, const std::vector<std::string>& failed) {
  return Format("Installation cancelled. %d of %d files were installed.", handled, total) + FailedFilesAfter(failed);
}

std::string MenuReport(const std::vector<std::string>& failed) {
  return Format("\r\n\r\nTo run %s, start the Corvane Menu program,\r\nand click the %s icon.", kProductName,
                kProductLabel) +
         FailedFilesAfter(failed);
}

std::string NothingWrittenReport(const std::vector<std::string>& failed) {
  return Format("%d files could not be written:", failed.size()) + Paths(failed);
}
