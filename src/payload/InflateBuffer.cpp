#include "payload/InflateBuffer.h"

#include <algorithm>
#include <new>

#include <zlib.h>

namespace {

// Owns an initialised inflate stream. End() reports zlib's answer; the destructor only
// cleans up after a failure.
class InflateStream {
 public:
  InflateStream(const std::uint8_t* input, std::size_t inputLength) {
    m_stream.next_in = const_cast<Bytef*>(input);
    m_stream.avail_in = static_cast<uInt>(inputLength);
    if (inflateInit(&m_stream) < 0) throw EDecompressionError();
    m_open = true;
  }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;
  ~InflateStream() {
    if (m_open) inflateEnd(&m_stream);
  }

  z_stream& Get() noexcept { return m_stream; }
  int End() noexcept {
    m_open = false;
    return inflateEnd(&m_stream);
  }

 private:
  z_stream m_stream{};
  bool m_open = false;
};

constexpr std::size_t kMaxChunk = std::numeric_limits<uInt>::max();

// Whether an inflate answer other than the stream's end only asks for more output room: with
// Z_FINISH zlib answers Z_BUF_ERROR whenever the output space ran out before the end of the
// stream. Any other answer, Z_BUF_ERROR with room left, or a full buffer with all input used
// up (the stream ends early: its check value is still to come) is a damaged stream, whatever
// room it would be given.
bool WantsMoreRoom(int result, const z_stream& zs) noexcept {
  return result == Z_BUF_ERROR && zs.avail_out == 0 && zs.avail_in != 0;
}

}  // namespace

InflatedBuffer InflateBuffer(const std::uint8_t* input, std::size_t inputLength, std::size_t sizeHint,
                             InflateStats* stats, std::size_t maxOutput) {
  InflateStats unused;
  InflateStats& st = stats ? *stats : unused;
  st = {};
  // zlib counts in 32 bits; nothing that large is a payload item.
  if (inputLength > kMaxChunk) throw EDecompressionError();

  const std::size_t step = InflateGrowthStep(inputLength);
  std::size_t capacity = sizeHint != 0 ? sizeHint : step;
  if (capacity > kMaxChunk) throw std::bad_alloc();
  // malloc(0) may answer null; one byte keeps "null means out of memory" true.
  std::unique_ptr<std::uint8_t[], FreeDeleter> buffer(
      static_cast<std::uint8_t*>(std::malloc(std::max<std::size_t>(capacity, 1))));
  if (!buffer) throw std::bad_alloc();
  st.allocations = 1;
  st.peakCapacity = capacity;

  InflateStream stream(input, inputLength);
  z_stream& zs = stream.Get();
  zs.next_out = buffer.get();
  zs.avail_out = static_cast<uInt>(capacity);

  for (;;) {
    ++st.inflateCalls;
    const int result = inflate(&zs, Z_FINISH);
    if (result == Z_STREAM_END) break;
    if (!WantsMoreRoom(result, zs) || step == 0) throw EDecompressionError();
    if (capacity >= maxOutput) throw EInflateLimitExceeded();
    if (capacity > kMaxChunk - step) throw std::bad_alloc();
    const std::size_t grown = std::min(capacity + step, maxOutput);
    void* moved = std::realloc(buffer.get(), grown);
    if (!moved) throw std::bad_alloc();
    (void)buffer.release();
    buffer.reset(static_cast<std::uint8_t*>(moved));
    zs.next_out = buffer.get() + capacity;
    zs.avail_out = static_cast<uInt>(grown - capacity);
    capacity = grown;
    ++st.growths;
    st.peakCapacity = capacity;
  }

  const std::size_t length = capacity - zs.avail_out;
  st.inputUsed = inputLength - zs.avail_in;
  if (stream.End() < 0) throw EDecompressionError();

  InflatedBuffer out;
  out.length = length;
  if (length == 0) return out;
  if (length < capacity) {
    // Shrinking keeps the bytes; should the system refuse, the larger block serves as well.
    if (void* trimmed = std::realloc(buffer.get(), length)) {
      (void)buffer.release();
      buffer.reset(static_cast<std::uint8_t*>(trimmed));
    }
  }
  out.data = std::move(buffer);
  return out;
}

std::size_t InflateInto(const std::uint8_t* input, std::size_t inputLength, std::uint8_t* output,
                        std::size_t capacity, std::size_t* inputUsed) {
  if (inputLength > kMaxChunk) throw EDecompressionError();
  if (capacity > kMaxChunk) throw std::bad_alloc();
  InflateStream stream(input, inputLength);
  z_stream& zs = stream.Get();
  zs.next_out = output;
  zs.avail_out = static_cast<uInt>(capacity);
  const int result = inflate(&zs, Z_FINISH);
  if (result != Z_STREAM_END) {
    if (WantsMoreRoom(result, zs)) throw EInflateLimitExceeded();
    throw EDecompressionError();
  }
  const std::size_t length = capacity - zs.avail_out;
  if (inputUsed != nullptr) *inputUsed = inputLength - zs.avail_in;
  if (stream.End() < 0) throw EDecompressionError();
  return length;
}
