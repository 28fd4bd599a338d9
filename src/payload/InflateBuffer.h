#pragma once
// Decompresses one complete zlib stream (RFC 1950) into a buffer that grows as needed.
// The growth step follows the compressed length (input length rounded up to 256), so a good
// size hint makes one allocation and one inflate call; hint 0 starts at one growth step.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <stdexcept>

// Raised for any stream zlib rejects: bad header, bad block, wrong Adler-32, truncated input.
class EDecompressionError : public std::runtime_error {
 public:
  EDecompressionError() : std::runtime_error("Error") {}
};

// Raised when the output would grow past the caller's limit. Still a decompression error for
// callers that do not care why.
class EInflateLimitExceeded : public EDecompressionError {};

struct FreeDeleter {
  void operator()(void* p) const noexcept { std::free(p); }
};

// The output: owned bytes (null when the length is 0) and their exact length.
struct InflatedBuffer {
  std::unique_ptr<std::uint8_t[], FreeDeleter> data;
  std::size_t length = 0;
};

// What one call did with memory, for callers that measure it.
struct InflateStats {
  int allocations = 0;        // the first allocation
  int growths = 0;            // re-allocations that enlarged the buffer
  int inflateCalls = 0;
  std::size_t peakCapacity = 0;
  std::size_t inputUsed = 0;  // bytes of input up to the end of the stream
};

inline constexpr std::size_t kNoOutputLimit = std::numeric_limits<std::size_t>::max();

// Growth step for an input of this length: the length rounded up to a multiple of 256.
constexpr std::size_t InflateGrowthStep(std::size_t inputLength) {
  return (inputLength + 255) & ~static_cast<std::size_t>(255);
}

InflatedBuffer InflateBuffer(const std::uint8_t* input, std::size_t inputLength, std::size_t sizeHint,
                             InflateStats* stats = nullptr, std::size_t maxOutput = kNoOutputLimit);

// Decompresses one complete zlib stream into the caller's buffer of `capacity` bytes (0 for a
// stream that must hold no bytes) and gives the output length. Answers as InflateBuffer with `capacity` as both size hint
// and limit: EInflateLimitExceeded when the stream holds more, EDecompressionError for a stream
// zlib rejects, std::bad_alloc for a capacity zlib cannot count. `inputUsed`, when given, gets
// the bytes of input up to the end of the stream.
std::size_t InflateInto(const std::uint8_t* input, std::size_t inputLength, std::uint8_t* output,
                        std::size_t capacity, std::size_t* inputUsed = nullptr);
