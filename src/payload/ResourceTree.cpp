#include "payload/ResourceTree.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr std::uint32_t kSubdirectory = 0x80000000u;
constexpr std::uint32_t kTableHeader = 16;  // characteristics, time stamp, version, two counts
constexpr std::uint32_t kEntry = 8;         // name or id, offset
constexpr std::uint32_t kDataEntry = 16;    // address, size, code page, reserved

class Tree {
 public:
  Tree(std::span<const std::uint8_t> image, std::uint32_t root)
      : m_image(image), m_root(root), m_entriesLeft(image.size() / kEntry) {}

  // The table `offset` bytes from the root: false when it or one of its entries lies outside
  // the image; otherwise where its entries start, how many are named, how many in all. A sound
  // directory holds each table once, so all its entries together fit in the image; counts
  // beyond that (a damaged count, tables used over and over) end the check as damaged.
  bool Table(std::uint32_t offset, std::uint32_t& first, std::uint32_t& named, std::uint32_t& total) {
    const std::uint64_t at = std::uint64_t{m_root} + offset;
    if (!Holds(at, kTableHeader)) return false;
    named = U16(at + 12);
    total = named + U16(at + 14);
    first = static_cast<std::uint32_t>(at + kTableHeader);
    if (total > m_entriesLeft) return false;
    m_entriesLeft -= total;
    return Holds(first, std::uint64_t{total} * kEntry);
  }
  bool NameString(std::uint32_t offset) const {
    const std::uint64_t at = std::uint64_t{m_root} + offset;
    return Holds(at, 2) && Holds(at + 2, std::uint64_t{U16(at)} * 2);
  }
  // A data entry whose bytes lie in the image; they are noted for BytesAreOwn.
  bool DataEntry(std::uint32_t offset) {
    const std::uint64_t at = std::uint64_t{m_root} + offset;
    if (!Holds(at, kDataEntry)) return false;
    const std::uint32_t address = U32(at);
    const std::uint32_t size = U32(at + 4);
    if (!Holds(address, size)) return false;
    if (size != 0) m_data.emplace_back(address, size);
    return true;
  }
  // Whether no two data entries seen share a byte: every item has bytes of its own, so one that
  // leads to another's (a damaged offset) is found before it installs the wrong file.
  bool BytesAreOwn() {
    std::sort(m_data.begin(), m_data.end());
    for (std::size_t i = 1; i < m_data.size(); ++i)
      if (std::uint64_t{m_data[i - 1].first} + m_data[i - 1].second > m_data[i].first) return false;
    return true;
  }
  std::uint32_t U32(std::uint64_t at) const {
    std::uint32_t value;
    std::memcpy(&value, m_image.data() + at, sizeof value);
    return value;
  }
  std::uint32_t U16(std::uint64_t at) const {
    return static_cast<std::uint32_t>(m_image[at] | m_image[at + 1] << 8);
  }

 private:
  bool Holds(std::uint64_t at, std::uint64_t length) const {
    return at <= m_image.size() && length <= m_image.size() - at;
  }

  std::span<const std::uint8_t> m_image;
  std::uint32_t m_root;
  std::uint64_t m_entriesLeft;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> m_data;  // address, size
};

// Every language entry under a name: a table of data entries (a lookup takes one of them).
bool LanguagesStayInImage(Tree& tree, std::uint32_t offset) {
  std::uint32_t first = 0, named = 0, total = 0;
  if (!tree.Table(offset, first, named, total)) return false;
  for (std::uint32_t i = 0; i < total; ++i) {
    const std::uint32_t target = tree.U32(first + i * kEntry + 4);
    if (!(target & kSubdirectory) && !tree.DataEntry(target)) return false;
  }
  return true;
}

// The table of names under one type entry.
bool NamesStayInImage(Tree& tree, std::uint32_t offset) {
  std::uint32_t first = 0, named = 0, total = 0;
  if (!tree.Table(offset, first, named, total)) return false;
  for (std::uint32_t i = 0; i < total; ++i) {
    const std::uint32_t name = tree.U32(first + i * kEntry);
    const std::uint32_t target = tree.U32(first + i * kEntry + 4);
    // A lookup by name compares with the string of every named entry it visits.
    if (i < named && !tree.NameString(name & ~kSubdirectory)) return false;
    if (target & kSubdirectory) {
      if (!LanguagesStayInImage(tree, target & ~kSubdirectory)) return false;
    } else if (!tree.DataEntry(target)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool NamedResourcesAreSound(std::span<const std::uint8_t> image, std::uint32_t directoryRva, std::uint16_t typeId) {
  Tree tree(image, directoryRva);
  std::uint32_t first = 0, named = 0, total = 0;
  if (!tree.Table(0, first, named, total)) return false;
  // Every entry of the type counts: with a damaged directory the lookup may land on any.
  for (std::uint32_t i = named; i < total; ++i) {
    const std::uint32_t id = tree.U32(first + i * kEntry);
    const std::uint32_t target = tree.U32(first + i * kEntry + 4);
    if (id == typeId && (target & kSubdirectory) && !NamesStayInImage(tree, target & ~kSubdirectory)) return false;
  }
  return tree.BytesAreOwn();
}
