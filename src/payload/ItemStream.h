#pragma once
// Decodes a payload item where it lies (read-only memory such as the program's own image): the
// item is deciphered a piece at a time and its file handed on in pieces, so neither a copy of
// the item nor the whole file is ever held in memory.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "payload/PayloadFormat.h"

// Takes a decoded file: its header once it has been checked, then its bytes, piece by piece and
// in order.
class PlainSink {
 public:
  virtual ~PlainSink() = default;
  virtual void Begin(const PayloadHeader&) {}
  virtual void Take(const std::uint8_t* bytes, std::size_t length) = 0;
};

// Reads and checks the header, then inflates the body into the sink. Answers every item as
// DecodePayloadItem does: EPayloadDamaged for a header that does not hold together, a stream of
// more or fewer bytes than PlainSize or bytes after the end of the stream; EDecompressionError
// for a body zlib rejects; std::bad_alloc when zlib gets no memory. The sink may have taken
// bytes before a failure is found.
PayloadHeader StreamPayloadItem(std::string_view itemName, std::string_view key, const std::uint8_t* item,
                                std::size_t itemLength, PlainSink& sink);
