#include "qlxpack/PeResources.h"

#include <algorithm>
#include <set>

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

// The tree a linker writes uses each table, name and data entry once. A damaged or crafted one
// may point many entries at the same table, or back at a table on the way down; read as it
// stands, that multiplies the work (and the names kept) past any limit, so a second use of any
// part of the tree is refused.
class TreeWalk {
 public:
  explicit TreeWalk(const ImageView& v) : m_v(v) {}

  // The entries of the directory table at `at`, or only its first when firstOnly is set.
  std::vector<DirEntry> Directory(std::size_t at, bool firstOnly = false) {
    Claim(at, "directory table");
    const std::uint32_t count = m_v.U16(at + 12) + m_v.U16(at + 14);
    m_v.Need(at + 16, std::size_t{count} * 8);
    std::vector<DirEntry> entries;
    const std::uint32_t wanted = firstOnly ? std::min<std::uint32_t>(count, 1) : count;
    for (std::uint32_t i = 0; i < wanted; ++i)
      entries.push_back({m_v.U32(at + 16 + i * 8), m_v.U32(at + 20 + i * 8)});
    return entries;
  }
  std::string Name(std::size_t at) {
    Claim(at, "name");
    const std::uint32_t length = m_v.U16(at);
    m_v.Need(at + 2, std::size_t{length} * 2);
    std::string name;
    for (std::uint32_t i = 0; i < length; ++i) {
      const std::uint32_t c = m_v.U16(at + 2 + 2 * i);
      name += c <= 0xFF ? static_cast<char>(c) : '?';
    }
    return name;
  }
  void DataEntry(std::size_t at) {
    Claim(at, "data entry");
    m_v.Need(at, 16);
  }

 private:
  void Claim(std::size_t at, const char* what) {
    if (!m_used.insert(at).second) throw EBadImage(std::string("resource ") + what + " used twice (a loop or a shared entry)");
  }

  const ImageView& m_v;
  std::set<std::size_t> m_used;
};

// Items whose bytes overlap would have the same bytes read again for each of them.
void RefuseOverlaps(std::vector<PeResource> resources) {
  std::sort(resources.begin(), resources.end(),
            [](const PeResource& a, const PeResource& b) { return a.offset < b.offset; });
  for (std::size_t i = 1; i < resources.size(); ++i)
    if (resources[i].offset - resources[i - 1].offset < resources[i - 1].size)
      throw EBadImage("resources " + resources[i - 1].name + " and " + resources[i].name + " overlap");
}

}  // namespace

std::vector<PeResource> ReadNamedResources(const std::vector<std::uint8_t>& image, std::uint32_t type) {
  const ImageView v(image);
  const Layout layout = ReadLayout(v);
  const std::size_t base = layout.FileOffset(layout.resourceRva, 16);
  constexpr std::uint32_t kHigh = 0x80000000u;

  std::vector<PeResource> out;
  TreeWalk walk(v);
  for (const DirEntry& t : walk.Directory(base)) {
    if ((t.name & kHigh) || t.name != type) continue;
    if (!(t.target & kHigh)) throw EBadImage("type entry without a directory");
    for (const DirEntry& n : walk.Directory(base + (t.target & ~kHigh))) {
      if (!(n.name & kHigh)) continue;  // numbered resources are not payload items
      PeResource r;
      r.name = walk.Name(base + (n.name & ~kHigh));
      if (!(n.target & kHigh)) throw EBadImage("name entry without a language directory");
      const auto languages = walk.Directory(base + (n.target & ~kHigh), true);
      if (languages.empty() || (languages[0].target & kHigh)) throw EBadImage("resource " + r.name + " has no data");
      const std::size_t dataEntry = base + languages[0].target;
      walk.DataEntry(dataEntry);
      const std::uint32_t rva = v.U32(dataEntry), size = v.U32(dataEntry + 4);
      r.offset = layout.FileOffset(rva, size);
      r.size = size;
      v.Need(r.offset, r.size);
      out.push_back(std::move(r));
    }
  }
  RefuseOverlaps(out);
  return out;
}
