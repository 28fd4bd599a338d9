#include "payload/InflateBuffer.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <zlib.h>

#include "host/PayloadTestData.h"
#include "qlxpack/PayloadEncoder.h"

namespace {

std::string AsString(const InflatedBuffer& b) {
  return b.length ? std::string(reinterpret_cast<const char*>(b.data.get()), b.length) : std::string();
}

std::size_t CeilDiv(std::size_t a, std::size_t b) { return (a + b - 1) / b; }

struct GrowthCase {
  const char* what;
  std::string plain;
  std::size_t hint;  // SIZE_MAX: exactly the plain length
};

class InflateGrowthTest : public testing::TestWithParam<GrowthCase> {};

// The buffer starts at the hint (or one step) and grows one step at a time; the growth count
// and the final capacity follow from the compressed length alone.
TEST_P(InflateGrowthTest, GrowsByStepsAndTrimsToTheExactLength) {
  const GrowthCase& c = GetParam();
  const std::vector<std::uint8_t> stream = CompressZlib(c.plain);
  const std::size_t hint = c.hint == SIZE_MAX ? c.plain.size() : c.hint;
  const std::size_t step = InflateGrowthStep(stream.size());
  const std::size_t start = hint != 0 ? hint : step;
  const std::size_t expectedGrowths = c.plain.size() > start ? CeilDiv(c.plain.size() - start, step) : 0;

  InflateStats stats;
  const InflatedBuffer out = InflateBuffer(stream.data(), stream.size(), hint, &stats);
  EXPECT_EQ(out.length, c.plain.size());
  EXPECT_EQ(AsString(out), c.plain);
  EXPECT_EQ(stats.allocations, 1);
  EXPECT_EQ(stats.growths, static_cast<int>(expectedGrowths));
  EXPECT_EQ(stats.inflateCalls, static_cast<int>(expectedGrowths) + 1);
  EXPECT_EQ(stats.peakCapacity, start + expectedGrowths * step);
}

INSTANTIATE_TEST_SUITE_P(
    Hints, InflateGrowthTest,
    testing::Values(GrowthCase{"HintZeroCompressible", CompressibleText(20000), 0},
                    GrowthCase{"HintTooSmall", CompressibleText(20000), 100},
                    GrowthCase{"HintExact", CompressibleText(20000), SIZE_MAX},
                    GrowthCase{"HintTooLarge", CompressibleText(20000), 50000},
                    GrowthCase{"HintOneShort", CompressibleText(20000), 19999},
                    GrowthCase{"HintZeroNoise", NoiseBytes(3000), 0},
                    GrowthCase{"HintZeroEmptyFile", std::string(), 0},
                    GrowthCase{"HintZeroOneByte", std::string("x"), 0},
                    GrowthCase{"HintZeroZeros", std::string(300000, '\0'), 0}),
    [](const testing::TestParamInfo<GrowthCase>& info) { return info.param.what; });

std::vector<std::uint8_t> WithPresetDictionary(const std::string& plain) {
  z_stream zs{};
  deflateInit(&zs, 9);
  static const char kDict[] = "payload";
  deflateSetDictionary(&zs, reinterpret_cast<const Bytef*>(kDict), sizeof kDict - 1);
  std::vector<std::uint8_t> out(deflateBound(&zs, plain.size()));
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.data()));
  zs.avail_in = static_cast<uInt>(plain.size());
  zs.next_out = out.data();
  zs.avail_out = static_cast<uInt>(out.size());
  deflate(&zs, Z_FINISH);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return out;
}

struct BadStreamCase {
  const char* what;
  std::vector<std::uint8_t> stream;
};

std::vector<std::uint8_t> Mutated(std::vector<std::uint8_t> v, std::size_t fromEnd, std::uint8_t xorWith) {
  v[v.size() - fromEnd] ^= xorWith;
  return v;
}

std::vector<std::uint8_t> Truncated(std::vector<std::uint8_t> v, std::size_t keep) {
  v.resize(keep);
  return v;
}

const std::vector<std::uint8_t> kGood = CompressZlib(CompressibleText(4000));
const std::vector<std::uint8_t> kEmpty = CompressZlib("");

class InflateRejectTest : public testing::TestWithParam<BadStreamCase> {};

TEST_P(InflateRejectTest, RaisesErrorForEveryHint) {
  const auto& s = GetParam().stream;
  for (const std::size_t hint : {std::size_t{0}, std::size_t{1}, std::size_t{4000}, std::size_t{100000}}) {
    try {
      InflateBuffer(s.data(), s.size(), hint);
      ADD_FAILURE() << GetParam().what << " hint " << hint;
    } catch (const EDecompressionError& e) {
      EXPECT_STREQ(e.what(), "Error");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Streams, InflateRejectTest,
    testing::Values(BadStreamCase{"EmptyInput", {}},
                    BadStreamCase{"HeaderOnly", Truncated(kGood, 2)},
                    BadStreamCase{"TruncatedBody", Truncated(kGood, kGood.size() / 2)},
                    BadStreamCase{"TruncatedTrailer", Truncated(kGood, kGood.size() - 1)},
                    BadStreamCase{"BadAdler", Mutated(kGood, 1, 0x01)},
                    BadStreamCase{"BadAdlerEmptyFile", Mutated(kEmpty, 2, 0x80)},
                    BadStreamCase{"BadHeaderCheck", Mutated(kGood, kGood.size() - 1, 0x01)},
                    BadStreamCase{"NotDeflate", {0x79, 0x9C, 0, 0, 0, 0}},
                    BadStreamCase{"GzipHeader", {0x1F, 0x8B, 8, 0, 0, 0, 0, 0, 0, 3, 3, 0}},
                    BadStreamCase{"PresetDictionary", WithPresetDictionary("payload payload payload")},
                    BadStreamCase{"BadBlockType", {0x78, 0xDA, 0x07, 0, 0, 0, 0, 0}}),
    [](const testing::TestParamInfo<BadStreamCase>& info) { return info.param.what; });

TEST(InflateBuffer, TrailingBytesAfterTheStreamAreIgnored) {
  std::vector<std::uint8_t> stream = kGood;
  stream.insert(stream.end(), {1, 2, 3});
  EXPECT_EQ(InflateBuffer(stream.data(), stream.size(), 0).length, 4000u);
}

TEST(InflateBuffer, OutputLimitStopsGrowthWithItsOwnError) {
  const std::string plain = CompressibleText(20000);
  const std::vector<std::uint8_t> stream = CompressZlib(plain);
  EXPECT_THROW(InflateBuffer(stream.data(), stream.size(), 100, nullptr, 19999), EInflateLimitExceeded);
  EXPECT_EQ(InflateBuffer(stream.data(), stream.size(), 100, nullptr, 20000).length, 20000u);
  // A stream of exactly the limit's length fits without a further growth.
  InflateStats stats;
  EXPECT_EQ(AsString(InflateBuffer(stream.data(), stream.size(), 20000, &stats, 20000)), plain);
  EXPECT_EQ(stats.growths, 0);
}

}  // namespace

// What a call ended with: the output, or which error it raised.
template <typename Call>
std::string Outcome(Call call) {
  try {
    return "bytes " + call();
  } catch (const EInflateLimitExceeded&) {
    return "limit";
  } catch (const EDecompressionError&) {
    return "error";
  }
}

// Inflating into a fixed buffer answers as InflateBuffer with that size as hint and limit, for
// good streams at, below and above their length and for every damaged stream.
TEST(InflateInto, AnswersAsInflateBufferWithTheSameHintAndLimit) {
  std::vector<std::vector<std::uint8_t>> streams = {kGood, CompressZlib(CompressibleText(20000)),
                                                    Truncated(kGood, kGood.size() / 2),
                                                    Truncated(kGood, kGood.size() - 1), Mutated(kGood, 1, 0x01),
                                                    std::vector<std::uint8_t>{0x78, 0xDA, 0x07, 0, 0, 0, 0, 0}};
  for (std::size_t s = 0; s < streams.size(); ++s) {
    const auto& stream = streams[s];
    for (const std::size_t capacity : {std::size_t{1}, std::size_t{3999}, std::size_t{4000}, std::size_t{4001},
                                       std::size_t{19999}, std::size_t{20000}, std::size_t{65536}}) {
      const std::string expected = Outcome(
          [&] { return AsString(InflateBuffer(stream.data(), stream.size(), capacity, nullptr, capacity)); });
      const std::string actual = Outcome([&] {
        std::string out(capacity, '\0');
        out.resize(InflateInto(stream.data(), stream.size(), reinterpret_cast<std::uint8_t*>(out.data()), capacity));
        return out;
      });
      EXPECT_EQ(actual, expected) << "stream " << s << ", capacity " << capacity;
    }
  }
}
