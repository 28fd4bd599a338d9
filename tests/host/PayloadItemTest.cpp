#include "payload/PayloadFormat.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/PayloadTestData.h"
#include "payload/InflateBuffer.h"
#include "payload/ItemStream.h"
#include "qlxpack/PayloadEncoder.h"

namespace {

const std::string& Key() {
  static const std::string key = [] {
    PseudoRandom generator;
    return BuildPayloadKey(generator, kPayloadSeed);
  }();
  return key;
}

struct Decoded {
  std::string fileName = "untouched";
  std::int32_t timeStamp = -1;
  std::string bytes = "untouched";
};

// What an item comes to, read whole into memory or streamed from where it lies: the file, or
// the error. The two readers must always agree.
std::string Outcome(std::vector<std::uint8_t> item, bool streamed) {
  struct : PlainSink {
    std::string bytes;
    void Take(const std::uint8_t* b, std::size_t n) override { bytes.append(reinterpret_cast<const char*>(b), n); }
  } sink;
  try {
    Decoded d;
    if (streamed) {
      const PayloadHeader header = StreamPayloadItem("rs_x", Key(), item.data(), item.size(), sink);
      d = {header.fileName, header.timeStamp, sink.bytes};
    } else {
      DecodePayloadItem("rs_x", Key(), item.data(), item.size(), d.fileName, d.timeStamp, d.bytes);
    }
    return d.fileName + "|" + std::to_string(d.timeStamp) + "|" + d.bytes;
  } catch (const EPayloadDamaged& e) {
    return std::string("damaged: ") + e.what();
  } catch (const EDecompressionError& e) {
    return std::string("zlib: ") + e.what();
  }
}

void ExpectReadersAgree(const std::vector<std::uint8_t>& item, const char* what) {
  EXPECT_EQ(Outcome(item, true), Outcome(item, false)) << what;
}

Decoded Decode(std::vector<std::uint8_t> item, const char* itemName = "rs_x") {
  ExpectReadersAgree(item, itemName);
  Decoded d;
  DecodePayloadItem(itemName, Key(), item.data(), item.size(), d.fileName, d.timeStamp, d.bytes);
  return d;
}

// An item built field by field, so that a case can break exactly one thing.
struct ItemParts {
  PayloadHeader header;
  std::vector<std::uint8_t> body;
  std::size_t truncateTo = SIZE_MAX;
  std::function<void(std::vector<std::uint8_t>&)> editPlain;  // after composing, before enciphering
};

ItemParts Parts(const std::string& name, const std::string& plain, std::int32_t stamp = 0x5A8F6000) {
  ItemParts p;
  p.header.fileName = name;
  p.header.plainSize = static_cast<std::int32_t>(plain.size());
  p.header.timeStamp = stamp;
  p.body = CompressZlib(plain);
  return p;
}

std::vector<std::uint8_t> Build(const ItemParts& p) {
  std::vector<std::uint8_t> item = ComposePayloadItem(p.header, p.body);
  if (p.editPlain) p.editPlain(item);
  if (p.truncateTo < item.size()) item.resize(p.truncateTo);
  EncipherPayload(Key(), item.data(), item.size());
  return item;
}

TEST(PayloadItem, RoundTripsNamesSizesAndStamps) {
  struct Case {
    std::string name;
    std::string plain;
    std::int32_t stamp;
  };
  const Case cases[] = {
      {"quon.exe", CompressibleText(70000), 0x5A8F6000},
      {"empty.txt", "", 0},
      {"x", "x", -1},
      {std::string(30, 'n'), NoiseBytes(777), 0x7FFFFFFF},
      // Several pieces of item and of file for the streaming reader.
      {"big.bin", NoiseBytes(300000) + CompressibleText(900000), 5},
      {"caf\xE9 menu.htm", "<html></html>", 0x21000000},
      {"tip07.html", CompressibleText(49), static_cast<std::int32_t>(0x80000000u)},
      // Near a device name or a dot rule, yet ordinary files.
      {"console.txt", "c", 1}, {"com10.dat", "c", 1}, {"nul_x.txt", "c", 1}, {".profile", "c", 1},
      {"..x", "c", 1}, {"lpt", "c", 1},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> item = EncodePayloadItem(c.name, c.stamp, c.plain);
    // A 30-character name still leaves the body at offset 47.
    ASSERT_GE(item.size(), kPayloadHeaderSize + 8) << c.name;
    const Decoded d = Decode(item);
    EXPECT_EQ(d.fileName, c.name);
    EXPECT_EQ(d.timeStamp, c.stamp) << c.name;
    EXPECT_EQ(d.bytes, c.plain) << c.name;
  }
}

TEST(PayloadItem, HeaderLayoutIsFixed) {
  PayloadHeader h;
  h.plainSize = 0x01020304;
  h.timeStamp = 0x0A0B0C0D;
  h.fileName = "ab";
  const auto bytes = ComposePayloadHeader(h);
  const std::vector<std::uint8_t> expected = {'Q', 'L', 'P', 'K', 4, 3, 2, 1, 0, 0, 0, 0, 0x0D, 0x0C, 0x0B, 0x0A, 2, 'a', 'b'};
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bytes.begin()));
  for (std::size_t i = expected.size(); i < kPayloadHeaderSize; ++i) EXPECT_EQ(bytes[i], 0) << i;
}

TEST(PayloadItem, MarkerAndSpareAreNotRead) {
  ItemParts p = Parts("a.txt", "abc");
  p.header.marker = {'X', 'X', 'X', 'X'};
  p.header.spare = 0xFFFFFFFFu;
  EXPECT_EQ(Decode(Build(p)).bytes, "abc");
}

struct DamagedCase {
  const char* what;
  std::function<ItemParts()> make;
};

ItemParts WithName(std::string name) {
  ItemParts p = Parts("ok.txt", "hello");
  p.header.fileName = std::move(name);
  return p;
}

ItemParts WithPlainSize(std::int32_t plainSize, std::string plain = CompressibleText(5000)) {
  ItemParts p = Parts("ok.txt", plain);
  p.header.plainSize = plainSize;
  return p;
}

class PayloadDamagedTest : public testing::TestWithParam<DamagedCase> {};

TEST_P(PayloadDamagedTest, RaisesTheDamagedItemErrorWithNoBytes) {
  const std::vector<std::uint8_t> item = Build(GetParam().make());
  ExpectReadersAgree(item, GetParam().what);
  std::string fileName, bytes = "x";
  std::int32_t stamp = 0;
  std::vector<std::uint8_t> copy = item;
  try {
    DecodePayloadItem("rs_Damaged", Key(), copy.data(), copy.size(), fileName, stamp, bytes);
    ADD_FAILURE() << "no error";
  } catch (const EPayloadDamaged& e) {
    EXPECT_STREQ(e.what(), "Payload item rs_Damaged is damaged");
  }
  EXPECT_TRUE(bytes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Headers, PayloadDamagedTest,
    testing::Values(
        DamagedCase{"Empty", [] { auto p = Parts("a", "a"); p.truncateTo = 0; return p; }},
        DamagedCase{"OneByteShort", [] { auto p = Parts("a", "a"); p.truncateTo = 46; return p; }},
        DamagedCase{"NameLength31", [] {
                      auto p = Parts("a", "hello");
                      p.editPlain = [](auto& v) { v[kPayloadFileNameOffset] = 31; };
                      return p;
                    }},
        DamagedCase{"NameLength255", [] {
                      auto p = Parts("a", "hello");
                      p.editPlain = [](auto& v) { v[kPayloadFileNameOffset] = 255; };
                      return p;
                    }},
        DamagedCase{"EmptyName", [] { return WithName(""); }},
        DamagedCase{"Backslash", [] { return WithName("..\\..\\evil.exe"); }},
        DamagedCase{"Slash", [] { return WithName("sub/evil.exe"); }},
        DamagedCase{"DriveColon", [] { return WithName("c:evil.exe"); }},
        DamagedCase{"StreamColon", [] { return WithName("a.txt:stream"); }},
        DamagedCase{"Dot", [] { return WithName("."); }},
        DamagedCase{"DotDot", [] { return WithName(".."); }},
        DamagedCase{"Tab", [] { return WithName("a\tb.txt"); }},
        DamagedCase{"Nul", [] { return WithName(std::string("a\0b", 3)); }},
        DamagedCase{"Delete", [] { return WithName("a\x7F"); }},
        DamagedCase{"TrailingDot", [] { return WithName("qlx.exe."); }},
        DamagedCase{"DotDotBlank", [] { return WithName(".. "); }},
        DamagedCase{"ThreeDots", [] { return WithName("..."); }},
        DamagedCase{"Wildcard", [] { return WithName("*.exe"); }},
        DamagedCase{"Pipe", [] { return WithName("a|b.txt"); }},
        DamagedCase{"DeviceNul", [] { return WithName("nul"); }},
        DamagedCase{"DeviceWithExtension", [] { return WithName("Con.txt"); }},
        DamagedCase{"DeviceBlankBeforeExtension", [] { return WithName("AUX .htm"); }},
        DamagedCase{"DevicePort", [] { return WithName("com1.dat"); }},
        DamagedCase{"DevicePrinterPort", [] { return WithName("LPT9"); }},
        DamagedCase{"DeviceSuperscriptPort", [] { return WithName("com\xB9.bin"); }},
        DamagedCase{"NegativePlainSize", [] { return WithPlainSize(-1); }},
        DamagedCase{"MinPlainSize", [] { return WithPlainSize(INT32_MIN); }},
        DamagedCase{"HugePlainSize", [] { return WithPlainSize(INT32_MAX); }},
        DamagedCase{"PlainSizeTooLarge", [] { return WithPlainSize(5001); }},
        DamagedCase{"PlainSizeTooSmall", [] { return WithPlainSize(4999); }},
        DamagedCase{"PlainSizeZeroForData", [] { return WithPlainSize(0); }},
        DamagedCase{"PlainSizeForEmptyFile", [] { return WithPlainSize(1, ""); }},
        // What a resource size too large by a few bytes hands over: the stream, then the
        // start of whatever follows it.
        DamagedCase{"BytesAfterTheStream", [] {
          auto p = Parts("a.txt", CompressibleText(3000));
          p.body.insert(p.body.end(), {0x78, 0x9C, 0});
          return p;
        }},
        DamagedCase{"OneZeroByteAfterTheStream", [] {
          auto p = Parts("a.txt", "hello");
          p.body.push_back(0);
          return p;
        }},
        DamagedCase{"BytesAfterALongStream", [] {
          auto p = Parts("a.txt", NoiseBytes(200000));
          p.body.push_back(0);
          return p;
        }},
        DamagedCase{"LongStreamOneByteShortOfPlainSize", [] { return WithPlainSize(199999, NoiseBytes(200000)); }}),
    [](const testing::TestParamInfo<DamagedCase>& info) { return info.param.what; });

struct BodyErrorCase {
  const char* what;
  std::function<void(std::vector<std::uint8_t>&)> edit;
};

class PayloadBodyErrorTest : public testing::TestWithParam<BodyErrorCase> {};

// A body zlib rejects raises "Error"; name and stamp are already set, bytes are not handed back.
TEST_P(PayloadBodyErrorTest, RaisesDecompressionError) {
  ItemParts p = Parts("quon.exe", CompressibleText(3000), 1234);
  p.editPlain = GetParam().edit;
  std::vector<std::uint8_t> item = Build(p);
  ExpectReadersAgree(item, GetParam().what);
  std::string fileName, bytes;
  std::int32_t stamp = 0;
  try {
    DecodePayloadItem("rs_exe", Key(), item.data(), item.size(), fileName, stamp, bytes);
    ADD_FAILURE() << "no error";
  } catch (const EPayloadDamaged&) {
    ADD_FAILURE() << "damaged instead of Error";
  } catch (const EDecompressionError& e) {
    EXPECT_STREQ(e.what(), "Error");
  }
  EXPECT_EQ(fileName, "quon.exe");
  EXPECT_EQ(stamp, 1234);
  EXPECT_TRUE(bytes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, PayloadBodyErrorTest,
    testing::Values(BodyErrorCase{"BadAdler", [](auto& v) { v.back() ^= 0x10; }},
                    BodyErrorCase{"Truncated", [](auto& v) { v.resize(v.size() - 20); }},
                    BodyErrorCase{"BodyCutToTenBytes", [](auto& v) { v.resize(kPayloadHeaderSize + 10); }},
                    // Every byte of the file is there; only the check value is cut short.
                    BodyErrorCase{"CheckValueCut", [](auto& v) { v.resize(v.size() - 2); }},
                    BodyErrorCase{"CheckValueMissing", [](auto& v) { v.resize(v.size() - 4); }},
                    BodyErrorCase{"BadZlibHeader", [](auto& v) { v[kPayloadHeaderSize] ^= 0xFF; }}),
    [](const testing::TestParamInfo<BodyErrorCase>& info) { return info.param.what; });

TEST(PayloadItem, WrongKeyNeverReadsPastTheItem) {
  // Deciphering with another key yields garbage headers; each must fail cleanly.
  PseudoRandom other;
  const std::string wrongKey = BuildPayloadKey(other, 1);
  for (std::size_t length : {47u, 48u, 100u, 5000u}) {
    std::vector<std::uint8_t> item = EncodePayloadItem("a.bin", 0, NoiseBytes(length));
    std::string name, bytes;
    std::int32_t stamp;
    EXPECT_ANY_THROW(DecodePayloadItem("rs_x", wrongKey, item.data(), item.size(), name, stamp, bytes));
    struct : PlainSink {
      void Take(const std::uint8_t*, std::size_t) override {}
    } ignored;
    item = EncodePayloadItem("a.bin", 0, NoiseBytes(length));
    EXPECT_ANY_THROW(StreamPayloadItem("rs_x", wrongKey, item.data(), item.size(), ignored));
  }
}

}  // namespace
