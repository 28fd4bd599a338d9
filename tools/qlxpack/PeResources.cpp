#include "qlxpack/PeResources.h"

#include <algorithm>

namespace {

class ImageView {
 public:
  explicit ImageView(const std::vector<std::uint8_t>& image) : m_image(image) {}

  std::uint32_t U16(std::size_t at) const {
    Need(at, 2);
    return static_cast<std::uint32_t>(m_image[at] | m_image[at + 1] << 8);
  }
  std::uint32_t U32(std::size_t at) const {
    Need(at, 4);
    return U16(at) | U16(at + 2) << 16;
  }
  void Need(std::size_t at, std::size_t length) const {
    if (at > m_image.size() || length > m_image.size() - at) throw EBadImage("offset outside the file");
  }

 private:
  const std::vector<std::uint8_t>& m_image;
};

struct Section {
  std::uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

struct Layout {
  std::vector<Section> sections;
  std::uint32_t resourceRva = 0;

  std::size_t FileOffset(std::uint32_t rva, std::uint32_t length) const {
    for (const Section& s : sections) {
      const std::uint64_t span = std::max(s.virtualSize, s.rawSize);
      if (rva >= s.virtualAddress && rva - s.virtualAddress < span) {
        const std::uint64_t inSection = rva - s.virtualAddress;
        if (inSection + length > s.rawSize) throw EBadImage("resource data outside its section");
        return static_cast<std::size_t>(s.rawOffset + inSection);
      }
    }
    throw EBadImage("address outside every section");
  }
};

Layout ReadLayout(const ImageView& v) {
  if (v.U16(0) != 0x5A4D) throw EBadImage("not an executable (no MZ header)");
  const std::size_t pe = v.U32(0x3C);
  if (v.U32(pe) != 0x00004550) throw EBadImage("not a PE image");
  const std::uint32_t sectionCount = v.U16(pe + 6);
  const std::size_t optional = pe + 24;
  const std::uint32_t optionalSize = v.U16(pe + 20);
  const std::uint32_t magic = v.U16(optional);
  std::size_t countAt, dirsAt;
  if (magic == 0x10B) {
    countAt = optional + 92;
    dirsAt = optional + 96;
  } else if (magic == 0x20B) {
    countAt = optional + 108;
    dirsAt = optional + 112;
  } else {
    throw EBadImage("unknown optional header");
  }
  Layout layout;
  if (v.U32(countAt) > 2) layout.resourceRva = v.U32(dirsAt + 2 * 8);
  const std::size_t table = optional + optionalSize;
  for (std::uint32_t i = 0; i < sectionCount; ++i) {
    const std::size_t at = table + i * 40;
    layout.sections.push_back({v.U32(at + 12), v.U32(at + 8), v.U32(at + 20), v.U32(at + 16)});
  }
  if (layout.resourceRva == 0) throw EBadImage("the image has no resources");
  return layout;
}

struct DirEntry {
  std::uint32_t name;    // id, or offset of the name with the high bit set
  std::uint32_t target;  // data entry, or sub-directory with the high bit set
};

std::vector<DirEntry> ReadDirectory(const ImageView& v, std::size_t at) {
  const std::uint32_t count = v.U16(at + 12) + v.U16(at + 14);
  std::vector<DirEntry> entries;
  for (std::uint32_t i = 0; i < count; ++i) entries.push_back({v.U32(at + 16 + i * 8), v.U32(at + 20 + i * 8)});
  return entries;
}

}  // namespace

std::vector<PeResource> ReadNamedResources(const std::vector<std::uint8_t>& image, std::uint32_t type) {
  const ImageView v(image);
  const Layout layout = ReadLayout(v);
  const std::size_t base = layout.FileOffset(layout.resourceRva, 16);
  constexpr std::uint32_t kHigh = 0x80000000u;

  std::vector<PeResource> out;
  for (const DirEntry& t : ReadDirectory(v, base)) {
    if ((t.name & kHigh) || t.name != type) continue;
    if (!(t.target & kHigh)) throw EBadImage("type entry without a directory");
    for (const DirEntry& n : ReadDirectory(v, base + (t.target & ~kHigh))) {
      if (!(n.name & kHigh)) continue;  // numbered resources are not payload items
      PeResource r;
      const std::size_t nameAt = base + (n.name & ~kHigh);
      const std::uint32_t length = v.U16(nameAt);
      for (std::uint32_t i = 0; i < length; ++i) {
        const std::uint32_t c = v.U16(nameAt + 2 + 2 * i);
        r.name += c <= 0xFF ? static_cast<char>(c) : '?';
      }
      if (!(n.target & kHigh)) throw EBadImage("name entry without a language directory");
      const auto languages = ReadDirectory(v, base + (n.target & ~kHigh));
      if (languages.empty() || (languages[0].target & kHigh)) throw EBadImage("resource " + r.name + " has no data");
      const std::size_t dataEntry = base + languages[0].target;
      const std::uint32_t rva = v.U32(dataEntry), size = v.U32(dataEntry + 4);
      r.offset = layout.FileOffset(rva, size);
      r.size = size;
      v.Need(r.offset, r.size);
      out.push_back(std::move(r));
    }
  }
  return out;
}
