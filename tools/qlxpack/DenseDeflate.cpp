#include "qlxpack/DenseDeflate.h"

#include <memory>
#include <stdexcept>

#include <libdeflate.h>

#include "qlxpack/PayloadEncoder.h"

namespace {

// libdeflate's highest level: its slowest, densest search.
constexpr int kDensestLevel = 12;

struct CompressorFree {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

}  // namespace

std::vector<std::uint8_t> CompressDense(std::string_view plain) {
  const std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(libdeflate_alloc_compressor(kDensestLevel));
  if (!compressor) throw std::runtime_error("out of memory for the compressor");
  std::vector<std::uint8_t> out(libdeflate_zlib_compress_bound(compressor.get(), plain.size()));
  const std::size_t size =
      libdeflate_zlib_compress(compressor.get(), plain.data(), plain.size(), out.data(), out.size());
  if (size == 0) throw std::runtime_error("compression failed");  // the bound is always enough
  out.resize(size);
  std::vector<std::uint8_t> zlib = CompressZlib(plain, 9);
  return zlib.size() < out.size() ? zlib : out;
}
