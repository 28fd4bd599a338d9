#include "payload/PayloadReader.h"

#include <cstring>
#include <optional>
#include <vector>

#include <windows.h>

#include "payload/PayloadFormat.h"
#include "payload/ResourceTree.h"
#include "support/UniqueHandle.h"

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

// The item's bytes, copied out of the read-only resource, which is released on every path;
// nothing when there is no such item.
std::optional<std::vector<std::uint8_t>> CopyItemResource(const std::string& itemName) {
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
  std::vector<std::uint8_t> copy(size);
  if (size != 0) std::memcpy(copy.data(), data, size);
  return copy;
}

}  // namespace

PayloadReader::PayloadReader() : m_directorySound(OwnItemDirectoryIsSound()) {}

std::optional<PayloadItem> PayloadReader::Find(const std::string& itemName) const {
  const std::string key = BuildPayloadKey();
  if (!m_directorySound) throw EPayloadDamaged(itemName);
  std::optional<std::vector<std::uint8_t>> raw = CopyItemResource(itemName);
  if (!raw) return std::nullopt;
  PayloadItem item;
  DecodePayloadItem(itemName, key, raw->data(), raw->size(), item.fileName, item.timeStamp, item.bytes);
  return item;
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
