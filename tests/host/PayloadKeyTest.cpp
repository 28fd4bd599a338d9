#include "payload/PayloadFormat.h"

#include <vector>

#include <gtest/gtest.h>

#include "qlxpack/PayloadEncoder.h"

namespace {

struct KeyCase {
  std::uint32_t seed;
  std::vector<int> head;  // key bytes 0..5
  int byte48, byte49;
  std::uint32_t stateAfter;
};

// Values worked out from the rule: state = state * 134775813 + 1, draw = (state * 256) >> 32.
// Seed 0: first state 1 draws 0, second 134775814 draws 134775814 >> 24 = 8.
const KeyCase kKeyCases[] = {
    {0u, {0, 8, 220, 51, 69, 171}, 197, 181, 0xB5467F56u},
    {1u, {8, 220, 51, 69, 171, 81}, 181, 142, 0x8EB8D4AFu},
    {kPayloadSeed, {92, 122, 5, 151, 27, 123}, 168, 223, 0xDF83ED7Fu},
};

TEST(PayloadKey, MatchesHandComputedDrawsAndState) {
  for (const KeyCase& c : kKeyCases) {
    PseudoRandom generator(0xFFFFFFFFu);
    const std::string key = BuildPayloadKey(generator, c.seed);
    ASSERT_EQ(key.size(), kPayloadKeyLength) << c.seed;
    for (std::size_t i = 0; i < c.head.size(); ++i)
      EXPECT_EQ(static_cast<unsigned char>(key[i]), c.head[i]) << "seed " << c.seed << " byte " << i;
    EXPECT_EQ(static_cast<unsigned char>(key[48]), c.byte48) << c.seed;
    EXPECT_EQ(static_cast<unsigned char>(key[49]), c.byte49) << c.seed;
    EXPECT_EQ(generator.State(), c.stateAfter) << c.seed;
  }
}

TEST(PayloadKey, SharedGeneratorEndsInTheSameStateWhateverItHeld) {
  for (const std::uint32_t before : {0u, 1u, 0xDEADBEEFu}) {
    SharedRandom().Seed(before);
    SharedRandom().Draw(1000);
    const std::string key = BuildPayloadKey();
    EXPECT_EQ(SharedRandom().State(), 0xDF83ED7Fu);
    PseudoRandom fresh;
    EXPECT_EQ(key, BuildPayloadKey(fresh, kPayloadSeed));
  }
}

class PayloadCipherTest : public testing::TestWithParam<std::size_t> {};

// Lengths around the key's wrap at 50 and the header's end at 47.
TEST_P(PayloadCipherTest, RoundTripsAndWrapsTheKeyAtFifty) {
  const std::size_t length = GetParam();
  PseudoRandom generator;
  const std::string key = BuildPayloadKey(generator, kPayloadSeed);
  std::vector<std::uint8_t> plain(length);
  for (std::size_t i = 0; i < length; ++i) plain[i] = static_cast<std::uint8_t>(i * 37 + 11);

  std::vector<std::uint8_t> buffer = plain;
  EncipherPayload(key, buffer.data(), buffer.size());
  for (std::size_t i = 0; i < length; ++i)
    ASSERT_EQ(buffer[i], static_cast<std::uint8_t>(plain[i] + static_cast<std::uint8_t>(key[i % 50]))) << i;
  DecipherPayload(key, buffer.data(), buffer.size());
  EXPECT_EQ(buffer, plain);
}

INSTANTIATE_TEST_SUITE_P(Lengths, PayloadCipherTest, testing::Values(0, 1, 46, 47, 49, 50, 51, 99, 100, 101, 1000));

TEST(PayloadCipher, EmptyKeyOrZeroLengthChangesNothing) {
  std::vector<std::uint8_t> buffer = {1, 2, 3};
  DecipherPayload("", buffer.data(), buffer.size());
  EncipherPayload("", buffer.data(), buffer.size());
  DecipherPayload("xyz", buffer.data(), 0);
  EXPECT_EQ(buffer, (std::vector<std::uint8_t>{1, 2, 3}));
}

}  // namespace

namespace {

// Deciphering, whatever the run length it works in, gives what subtracting byte by byte gives:
// every pair of byte values (so every borrow), keys of odd, even and multiple-of-four lengths,
// buffers that start off a word boundary, and lengths on either side of a whole run.
TEST(PayloadCipher, DecipherEqualsByteWiseSubtraction) {
  PseudoRandom generator;
  const std::string key50 = BuildPayloadKey(generator, kPayloadSeed);
  std::vector<std::uint8_t> data(256 * 256 + 7);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i % 256 + i / 256);
  for (const std::string& key : {key50, std::string("\xFF"), std::string("\x01\x80\xFE"), std::string(8, '\x7F'),
                                 std::string(150, '\x81'), std::string(401, '\x02')}) {
    for (const std::size_t start : {std::size_t{0}, std::size_t{1}, std::size_t{3}})
      for (const std::size_t length : {std::size_t{99}, std::size_t{100}, std::size_t{101}, data.size() - 7}) {
        std::vector<std::uint8_t> actual = data;
        DecipherPayload(key, actual.data() + start, length);
        std::vector<std::uint8_t> expected = data;
        for (std::size_t i = 0; i < length; ++i) {
          const auto k = static_cast<std::uint8_t>(key[i % key.size()]);
          expected[start + i] = static_cast<std::uint8_t>(expected[start + i] - k);
        }
        ASSERT_EQ(actual, expected) << "key length " << key.size() << ", start " << start << ", length " << length;
      }
  }
}

}  // namespace
