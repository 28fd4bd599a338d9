#include "engine/InstallItems.h"

#include <exception>
#include <optional>

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

void ReadItem(const PayloadReader& reader, const std::string& name, int index, InstallItem& item) {
  std::optional<PayloadItem> found;
  try {
    found = reader.Find(name);
  } catch (const std::bad_alloc&) {
    // An item that asks for more memory than there is counts as damaged.
    RaiseDamaged(name, EPayloadDamaged(name).what());
  } catch (const std::exception& e) {
    RaiseDamaged(name, e.what());
  }
  if (!found) {
    LogFormat("InstallProgram item %d: %s Not found", index, name);
    RaiseDamaged(name, EResourceNotFound(name).what());
  }
  item.fileName = std::move(found->fileName);
  item.fileDate = found->timeStamp;
  item.data = std::move(found->bytes);
}

}  // namespace

InstallItems ReadInstallItems(std::string list, int count) {
  InstallItems read;
  read.items.resize(count);
  const PayloadReader reader;
  for (int i = 0; i < count; ++i) {
    const std::string name = SplitFirst(list, ",");
    LogFormat("Installprogram item %d:%s", i, name);
    InstallItem& item = read.items[i];
    ReadItem(reader, name, i, item);
    if (item.data.empty()) {
      // Formatted here, not taken from the log, which returns nothing while another program
      // holds it open.
      const std::string error = Format("Error Reading resource item %s, Filename %s", name, item.fileName);
      LogText(error);
      read.errors.push_back(error);
    } else {
      LogFormat("Installprogram item %d Filename: %s date: %s.", i, item.fileName, ShortDateOfStamp(item.fileDate));
      read.totalBytes += static_cast<std::int64_t>(item.data.size());
    }
  }
  return read;
}
