#pragma once
// Reads one payload item from the running executable's own RT_RCDATA resources.

#include <cstdint>
#include <stdexcept>
#include <string>

// Raised when the executable has no item of that name; the message names it as it was passed.
class EResourceNotFound : public std::runtime_error {
 public:
  explicit EResourceNotFound(const std::string& itemName);
};

// Whether the system's lookup of an item (FindResource) reads only this program's image and
// every item has bytes of its own. A damaged resource directory can send the lookup anywhere
// (a fault inside the system's code is not ours to catch: ask the system nothing then), or lead
// one item to another's bytes. ReadPayloadItem checks this itself.
bool OwnItemDirectoryIsSound();

// Gives the item's stored file name, time stamp and file bytes. The item name is matched
// without regard to letter case. Raises EResourceNotFound, EPayloadDamaged or
// EDecompressionError ("Error"); re-seeds the shared pseudo-random generator.
void ReadPayloadItem(const std::string& itemName, std::string& fileName, std::int32_t& timeStamp, std::string& bytes);
