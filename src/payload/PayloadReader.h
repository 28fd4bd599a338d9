#pragma once
// Reads payload items from the running executable's own RT_RCDATA resources.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "payload/ItemStream.h"

// Raised by ReadPayloadItem when the executable has no item of that name; the message names
// it as it was passed.
class EResourceNotFound : public std::runtime_error {
 public:
  explicit EResourceNotFound(const std::string& itemName);
};

struct PayloadItem {
  std::string fileName;
  std::int32_t timeStamp = 0;
  std::string bytes;
};

class PayloadReader {
 public:
  // Checks once whether the system's lookup of an item (FindResource) reads only this
  // program's image and every item has bytes of its own. A damaged resource directory can send
  // the lookup anywhere (a fault inside the system's code is not ours to catch: the system is
  // asked nothing then), or lead one item to another's bytes.
  PayloadReader();

  // The item, or nothing when the executable has no item of that name. The name is matched
  // without regard to letter case. Raises EPayloadDamaged (a damaged directory or item) or
  // EDecompressionError ("Error"); re-seeds the shared pseudo-random generator.
  std::optional<PayloadItem> Find(const std::string& itemName) const;

  // The same read without a copy of the item or of its file: the item is deciphered where it
  // lies in the program's image, and the file's bytes go to the sink piece by piece. The header
  // of the item, or nothing when there is no such item; raises as Find.
  std::optional<PayloadHeader> Extract(const std::string& itemName, PlainSink& sink) const;

  // The item's header alone, checked as Extract checks it; the body is not read. Nothing when
  // there is no such item; raises EPayloadDamaged.
  std::optional<PayloadHeader> Header(const std::string& itemName) const;

 private:
  bool m_directorySound;
};

// One item read by a reader of its own; EResourceNotFound when there is none.
void ReadPayloadItem(const std::string& itemName, std::string& fileName, std::int32_t& timeStamp, std::string& bytes);
