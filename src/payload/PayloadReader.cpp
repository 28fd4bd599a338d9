#include "payload/PayloadReader.h"

#include <array>
#include <cstring>
#include <optional>
#include <span>

#include <windows.h>

#include "payload/PayloadFormat.h"
#include "payload/ResourceTree.h"
#include "support/win/UniqueHandle.h"

EResourceNotFound::EResourceNotFound(const std::string& itemName)
    : std::runtime_error("Resource " + itemName + " not found") {}

namespace {

// Whether the bytes lie inside this program's loaded image. A resource directory whose size
// runs past the image (a damaged file) would otherwise have the copy read memory that is not
// the item's, or none at all.
bool LiesInOwnImage(const void* data, DWORD size) {
  const auto* base = reinterpret_cast<const std::uint8_t*>(::GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const auto begin = reinterpret_cast<std::uintptr_t>(base);
  const std::uintptr_t end = begin + nt->OptionalHeader.SizeOfImage;
  const auto at = reinterpret_cast<std::uintptr_t>(data);
  return at >= begin && at <= end && size <= end - at;
}

bool OwnItemDirectoryIsSound() {
  const auto* base = reinterpret_cast<const std::uint8_t*>(::GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& resources = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE];
  if (resources.VirtualAddress == 0) return true;
  return NamedResourcesAreSound({base, nt->OptionalHeader.SizeOfImage}, resources.VirtualAddress,
                                 static_cast<std::uint16_t>(reinterpret_cast<std::uintptr_t>(RT_RCDATA)));
}

// An item where it lies in the image (read-only), held loaded while it is read.
struct LocatedItem {
  UniqueLoadedResource loaded;
  std::span<const std::uint8_t> bytes;
};

// Nothing when there is no such item.
std::optional<LocatedItem> LocateItem(const std::string& itemName) {
  HRSRC info = ::FindResourceA(nullptr, itemName.c_str(), RT_RCDATA);
  if (!info) return std::nullopt;
  // The handle points at the item's data entry inside the image; a damaged directory can make
  // it point anywhere, and SizeofResource reads it unguarded.
  if (!LiesInOwnImage(info, sizeof(IMAGE_RESOURCE_DATA_ENTRY))) throw EPayloadDamaged(itemName);
  UniqueLoadedResource loaded(::LoadResource(nullptr, info));
  if (!loaded) return std::nullopt;
  const DWORD size = ::SizeofResource(nullptr, info);
  const void* data = ::LockResource(loaded.get());
  if (!data && size != 0) return std::nullopt;
  if (size != 0 && !LiesInOwnImage(data, size)) throw EPayloadDamaged(itemName);
  return LocatedItem{std::move(loaded), {static_cast<const std::uint8_t*>(data), size}};
}

// Gathers a file's bytes in memory.
class WholeFile : public PlainSink {
 public:
  explicit WholeFile(std::string& bytes) : m_bytes(bytes) {}
  void Take(const std::uint8_t* bytes, std::size_t length) override {
    m_bytes.append(reinterpret_cast<const char*>(bytes), length);
  }

 private:
  std::string& m_bytes;
};

}  // namespace

PayloadReader::PayloadReader() : m_directorySound(OwnItemDirectoryIsSound()) {}

std::optional<PayloadItem> PayloadReader::Find(const std::string& itemName) const {
  PayloadItem item;
  WholeFile sink(item.bytes);
  try {
    const std::optional<PayloadHeader> header = Extract(itemName, sink);
    if (!header) return std::nullopt;
    item.fileName = header->fileName;
    item.timeStamp = header->timeStamp;
  } catch (const std::bad_alloc&) {
    // A PlainSize that no memory can hold comes from a damaged header, not from a file the
    // packing tool could have read.
    throw EPayloadDamaged(itemName);
  }
  return item;
}

std::optional<PayloadHeader> PayloadReader::Extract(const std::string& itemName, PlainSink& sink) const {
  const std::string key = BuildPayloadKey();
  if (!m_directorySound) throw EPayloadDamaged(itemName);
  const std::optional<LocatedItem> item = LocateItem(itemName);
  if (!item) return std::nullopt;
  return StreamPayloadItem(itemName, key, item->bytes.data(), item->bytes.size(), sink);
}

std::optional<PayloadHeader> PayloadReader::Header(const std::string& itemName) const {
  const std::string key = BuildPayloadKey();
  if (!m_directorySound) throw EPayloadDamaged(itemName);
  const std::optional<LocatedItem> item = LocateItem(itemName);
  if (!item) return std::nullopt;
  if (item->bytes.size() < kPayloadHeaderSize) throw EPayloadDamaged(itemName);
  std::array<std::uint8_t, kPayloadHeaderSize> header{};
  std::memcpy(header.data(), item->bytes.data(), header.size());
  DecipherPayload(key, header.data(), header.size());
  return ParsePayloadHeader(header.data(), item->bytes.size(), itemName);
}

void ReadPayloadItem(const std::string& itemName, std::string& fileName, std::int32_t& timeStamp, std::string& bytes) {
  fileName.clear();
  bytes.clear();
  std::optional<PayloadItem> item = PayloadReader().Find(itemName);
  if (!item) throw EResourceNotFound(itemName);
  fileName = std::move(item->fileName);
  timeStamp = item->timeStamp;
  bytes = std::move(item->bytes);
}
