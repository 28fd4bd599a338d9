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
#include "support/DateTime.h"
#include "support/Format.h"
#include "support/Lists.h"
#include "support/Locale.h"
#include "support/RunLog.h"

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
  StagingSink(std::vector<InstallItem>& items, int position, const ItemPlacement& placement)
      : m_items(items), m_position(position), m_placement(placement) {}

  void Begin(const PayloadHeader& header) override {
    if (header.plainSize <= 0) return;
    const std::string destination = m_placement.destination(header.fileName, m_position);
    const bool taken = std::any_of(m_items.begin(), m_items.begin() + m_position, [&](const InstallItem& earlier) {
      return earlier.staged && ::lstrcmpiA(earlier.staged->Destination().c_str(), destination.c_str()) == 0;
    });
    m_items[m_position].staged.emplace(
        m_placement.stage(destination, taken ? StagedFile::Name::Own : StagedFile::Name::Working));
  }

  void Take(const std::uint8_t* bytes, std::size_t length) override {
    InstallItem& item = m_items[m_position];
    item.size += length;
    if (item.staged) item.staged->Append(bytes, length);
  }

 private:
  std::vector<InstallItem>& m_items;
  int m_position;
  const ItemPlacement& m_placement;
};

void ReadItem(const PayloadReader& reader, const std::string& name, int index, InstallItems& read,
              const ItemPlacement& placement) {
  InstallItem& item = read.items[index];
  StagingSink sink(read.items, index, placement);
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

std::vector<std::string> ItemDestinations(std::string list, int count, const ItemPlacement& placement) {
  std::vector<std::string> destinations;
  const PayloadReader reader;
  for (int i = 0; i < count; ++i) {
    const std::string name = SplitFirst(list, ",");
    std::optional<PayloadHeader> header;
    try {
      header = reader.Header(name);
    } catch (const std::exception&) {
    }
    destinations.push_back(header ? placement.destination(header->fileName, i) : std::string());
  }
  return destinations;
}

InstallItems ReadInstallItems(std::string list, int count, const ItemPlacement& placement) {
  InstallItems read;
  read.items.resize(count);
  const PayloadReader reader;
  for (int i = 0; i < count; ++i) {
    const std::string name = SplitFirst(list, ",");
    LogFormat("Installprogram item %d:%s", i, name);
    ReadItem(reader, name, i, read, placement);
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
