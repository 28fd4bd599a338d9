#include "payload/ResourceTree.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kRoot = 0x200;
constexpr std::uint32_t kDir = 0x80000000u;

void Put16(std::vector<std::uint8_t>& image, std::uint32_t at, std::uint16_t value) {
  image[at] = static_cast<std::uint8_t>(value);
  image[at + 1] = static_cast<std::uint8_t>(value >> 8);
}
void Put32(std::vector<std::uint8_t>& image, std::uint32_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) image[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
// A table `at` bytes from the root with the given counts; its entries follow it.
void Table(std::vector<std::uint8_t>& image, std::uint32_t at, std::uint16_t named, std::uint16_t ids) {
  Put16(image, kRoot + at + 12, named);
  Put16(image, kRoot + at + 14, ids);
}
void Entry(std::vector<std::uint8_t>& image, std::uint32_t table, int index, std::uint32_t name, std::uint32_t target) {
  Put32(image, kRoot + table + 16 + 8 * index, name);
  Put32(image, kRoot + table + 16 + 8 * index + 4, target);
}

// A 4 KB image with an icon type and two named RT_RCDATA items, laid out as a resource compiler
// does: root, table of names, one language table per name, data entries, name strings.
std::vector<std::uint8_t> SoundImage() {
  std::vector<std::uint8_t> image(4096);
  Table(image, 0x00, 0, 2);
  Entry(image, 0x00, 0, 3, kDir | 0x7000);  // icons: a lookup of RT_RCDATA never goes there
  Entry(image, 0x00, 1, 10, kDir | 0x20);
  Table(image, 0x20, 2, 0);
  Entry(image, 0x20, 0, kDir | 0x100, kDir | 0x60);
  Entry(image, 0x20, 1, kDir | 0x110, kDir | 0x78);
  Table(image, 0x60, 0, 1);
  Entry(image, 0x60, 0, 0x409, 0xA0);
  Table(image, 0x78, 0, 1);
  Entry(image, 0x78, 0, 0x409, 0xB0);
  Put32(image, kRoot + 0xA0, 0x400);
  Put32(image, kRoot + 0xA4, 0x10);
  Put32(image, kRoot + 0xB0, 0x410);
  Put32(image, kRoot + 0xB4, 0x10);
  for (std::uint32_t at : {0x100u, 0x110u}) {
    Put16(image, kRoot + at, 4);
    const std::string name = at == 0x100 ? "RS_A" : "RS_B";
    for (int i = 0; i < 4; ++i) Put16(image, kRoot + at + 2 + 2 * i, static_cast<std::uint8_t>(name[i]));
  }
  return image;
}

bool LookupStaysIn(const std::vector<std::uint8_t>& image, std::uint32_t root = kRoot) {
  return NamedResourcesAreSound(image, root, 10);
}

TEST(NamedResourcesAreSound, OffsetsLeadingOutOfTheImageOrToAnotherItemAreFound) {
  const std::vector<std::uint8_t> sound = SoundImage();
  EXPECT_TRUE(LookupStaysIn(sound));
  EXPECT_FALSE(LookupStaysIn(sound, 4096 - 8)) << "root table cut by the image's end";
  EXPECT_FALSE(LookupStaysIn(sound, 0xFFFFFFF0u));

  struct Damage {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> apply;
  };
  const Damage damages[] = {
      {"root id count", [](auto& i) { Table(i, 0x00, 0, 0x1FF); }},
      {"names table offset", [](auto& i) { Entry(i, 0x00, 1, 10, kDir | 0x10000020); }},
      {"names table count", [](auto& i) { Table(i, 0x20, 0xFFFF, 0); }},
      {"name string offset (high bit of its offset)", [](auto& i) { Entry(i, 0x20, 1, kDir | 0x10000110, kDir | 0x78); }},
      {"name string length", [](auto& i) { Put16(i, kRoot + 0x110, 0xFFFF); }},
      {"language table offset", [](auto& i) { Entry(i, 0x20, 0, kDir | 0x100, kDir | 0x04000060); }},
      {"language table count", [](auto& i) { Table(i, 0x78, 0x4000, 1); }},
      {"data entry offset under a name", [](auto& i) { Entry(i, 0x20, 1, kDir | 0x110, 0x08000078); }},
      {"data entry offset", [](auto& i) { Entry(i, 0x60, 0, 0x409, 0x400000A0); }},
      {"data address", [](auto& i) { Put32(i, kRoot + 0xB0, 0x80000410); }},
      {"data size", [](auto& i) { Put32(i, kRoot + 0xA4, 0x01000010); }},
      // Offsets that stay inside but lead one item to another's bytes: it would install the
      // other's file under the other's name, and its own would be missing.
      {"language entry leads to the other data entry", [](auto& i) { Entry(i, 0x60, 0, 0x409, 0xB0); }},
      {"name leads to the other language table", [](auto& i) { Entry(i, 0x20, 0, kDir | 0x100, kDir | 0x78); }},
      {"data overlaps the other's", [](auto& i) { Put32(i, kRoot + 0xA4, 0x11); }},
  };
  for (const Damage& damage : damages) {
    std::vector<std::uint8_t> image = sound;
    damage.apply(image);
    EXPECT_FALSE(LookupStaysIn(image)) << damage.what;
  }

  // Damage that leaves every read inside the image and every item its bytes is for the lookup
  // and the item checks.
  std::vector<std::uint8_t> other = sound;
  Entry(other, 0x20, 1, kDir | 0x100, kDir | 0x78);  // both entries named "RS_A"
  Put16(other, kRoot + 0x100 + 2, 'r');               // a letter's case
  EXPECT_TRUE(LookupStaysIn(other));
  Table(other, 0x00, 0, 1);  // no RT_RCDATA type: the lookup reads the root only
  EXPECT_TRUE(LookupStaysIn(other));
}

}  // namespace
