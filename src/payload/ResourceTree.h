#pragma once
// A bounds check of the resource directory of a loaded image, made before the system is asked
// to look an item up. The system's lookup follows every offset of the directory as it stands;
// in a damaged file those can point outside the image, and a read there faults inside the
// system's code (which may or may not catch it). Portable: the image is a byte span laid out
// as loaded (an offset is an address relative to the image's start).

#include <cstdint>
#include <span>

// Whether a lookup of a named resource of integer type `typeId` reads only bytes of `image`:
// the root table and its entries, the type's table of names with every name string, and under
// every name each language table, its entries and their data entries (which must lie in the
// image as well); and whether each of those resources has bytes of its own (no two data
// entries reached share a byte). `directoryRva` is where the root table starts.
bool NamedResourcesAreSound(std::span<const std::uint8_t> image, std::uint32_t directoryRva, std::uint16_t typeId);
