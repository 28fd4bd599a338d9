#include "engine/InstallItems.h"

#include <algorithm>
#include <exception>
#include <new>
#include <optional>
#include <stdexcept>

#include <windows.h>

#include "engine/InstallOutcome.h"
#include "payload/PayloadFormat.h"
#include "payload/PayloadReader.h"
#include "support/base/DateTime.h"
#include "support/base/Format.h"
#include "support/base/Lists.h"
#include "support/fs/Links.h"
#include "support/run/RunLog.h"
#include "support/win/Locale.h"

namespace {

// The item's date in the user's short date format; "" for a stamp that is no date.
std::string ShortDateOfStamp(std::int32_t stamp) {
  const auto dateTime = DateTimeFromDosDateTime(static_cast<std::uint32_t>(stamp));
  return dateTime ? ShortDateText(*dateTime) : std::string();
}

[[noreturn]] void RaiseDamaged(const std::string& name, const std::string& readerMessage) {
  const EInstallerDamaged damaged(name, readerMessage);
  LogText(damaged.what());
  throw damaged;
}

// Stages the file of one item as the reader hands it over. An item whose file is empty stages
// nothing. Two items of one destination (a stored name given twice) each keep a staged file of
// their own, and are put in place in list order as any other files.
class StagingSink : public PlainSink {
 public:
  StagingSink(std::vector<InstallItem>& items, int position, const InstallFolders& folders)
      : m_items(items), m_position(position), m_folders(folders) {}

  void Begin(const PayloadHeader& header) override {
    const std::string& destination = m_items[m_position].destination;
    if (header.plainSize <= 0 || destination.empty()) return;
    const bool taken = std::any_of(m_items.begin(), m_items.begin() + m_position, [&](const InstallItem& earlier) {
      return earlier.staged && ::lstrcmpiA(earlier.staged->Destination().c_str(), destination.c_str()) == 0;
    });
    const StagedFile::Name name = taken ? StagedFile::Name::Own : StagedFile::Name::Working;
    m_items[m_position].staged.emplace(LinkOnTheWay(m_folders.install, destination) ? StagedFile(destination, kStoppedOnLink)
                                                                                     : StagedFile(destination, name));
  }

  void Take(const std::uint8_t* bytes, std::size_t length) override {
    InstallItem& item = m_items[m_position];
    item.size += length;
    if (item.staged) item.staged->Append(bytes, length);
  }

 private:
  std::vector<InstallItem>& m_items;
  int m_position;
  const InstallFolders& m_folders;
};

void ReadItem(const PayloadReader& reader, const std::string& name, int index, InstallItems& read,
              const InstallFolders& folders) {
  InstallItem& item = read.items[index];
  StagingSink sink(read.items, index, folders);
  std::optional<PayloadHeader> found;
  try {
    found = reader.Extract(name, sink);
  } catch (const std::bad_alloc&) {
    // Memory that runs out is this computer's state, not the installer's.
    const std::string message =
        Format("There is not enough memory to read the installer's item %s. Nothing was installed.", name);
    LogText(message);
    throw std::runtime_error(message);
  } catch (const std::exception& e) {
    RaiseDamaged(name, e.what());
  }
  if (!found) {
    LogFormat("InstallProgram item %d: %s Not found", index, name);
    RaiseDamaged(name, EResourceNotFound(name).what());
  }
  item.fileName = found->fileName;
  item.fileDate = found->timeStamp;
}

}  // namespace

std::vector<PlannedItem> PlanInstall(std::string list, int count, int normalFiles, const InstallFolders& folders) {
  std::vector<PlannedItem> plan;
  const PayloadReader reader;
  for (int i = 0; i < count; ++i) {
    std::string name = SplitFirst(list, ",");
    std::optional<PayloadHeader> header;
    try {
      header = reader.Header(name);
    } catch (const std::exception&) {
    }
    std::string destination = header ? FileDestination(header->fileName, i, normalFiles, folders) : std::string();
    plan.push_back(PlannedItem{std::move(name), std::move(destination)});
  }
  return plan;
}

InstallItems ReadInstallItems(const std::vector<PlannedItem>& plan, int count, const InstallFolders& folders) {
  InstallItems read;
  read.items.resize(count);
  const PayloadReader reader;
  for (int i = 0; i < count; ++i) {
    const std::string& name = plan[static_cast<std::size_t>(i)].name;
    read.items[i].destination = plan[static_cast<std::size_t>(i)].destination;
    LogFormat("Installprogram item %d:%s", i, name);
    ReadItem(reader, name, i, read, folders);
    const InstallItem& item = read.items[i];
    if (item.size == 0) {
      // Formatted here, not taken from the log, which returns nothing while another program
      // holds it open.
      const std::string error = Format("Error Reading resource item %s, Filename %s", name, item.fileName);
      LogText(error);
      read.errors.push_back(error);
    } else {
      LogFormat("Installprogram item %d Filename: %s date: %s.", i, item.fileName, ShortDateOfStamp(item.fileDate));
      read.totalBytes += static_cast<std::int64_t>(item.size);
    }
  }
  return read;
}
