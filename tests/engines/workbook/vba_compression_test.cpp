#include "engines/workbook/vba_compression.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace kdk::workbook {
namespace {

TEST(VbaCompression, OneLiteralAndOneCopyToken) {
  // "a" as a literal, then a copy token of offset 1 and length 8: at one byte into the
  // chunk the token has 4 offset bits, so it is (0 << 12) | (8 - 3).
  const std::string container("\x01\x03\xB0\x02\x61\x05\x00", 7);
  EXPECT_EQ(CompressVba("aaaaaaaaa"), container);
  std::string data;
  ASSERT_TRUE(DecompressVba(container, data));
  EXPECT_EQ(data, "aaaaaaaaa");
}

TEST(VbaCompression, RoundTripsTextAndNoise) {
  std::mt19937 random(7);
  for (std::size_t size : {0u, 1u, 3u, 17u, 4095u, 4096u, 4097u, 12288u, 70000u}) {
    std::string text, noise;
    for (std::size_t i = 0; i < size; ++i) {
      text.push_back("Dim x as Double\r\n\tWIH(1,2)=0.5"[random() % 30]);
      noise.push_back(static_cast<char>(random() & 0xFF));
    }
    for (const std::string& original : {text, noise}) {
      const std::string packed = CompressVba(original);
      std::string unpacked;
      ASSERT_TRUE(DecompressVba(packed, unpacked)) << size;
      // Raw chunks are padded to whole chunks with zeros.
      ASSERT_GE(unpacked.size(), original.size());
      EXPECT_EQ(unpacked.substr(0, original.size()), original) << size;
    }
  }
}

TEST(VbaCompression, RepetitiveSourceShrinks) {
  std::string source;
  for (int i = 0; i < 500; ++i) source += "\tWIH(" + std::to_string(i) + ",1)=0.25\r\n";
  EXPECT_LT(CompressVba(source).size(), source.size() / 2);
}

TEST(VbaCompression, MalformedContainersAreRefused) {
  std::string data;
  EXPECT_FALSE(DecompressVba("", data));
  EXPECT_FALSE(DecompressVba(std::string("\x02\x00\xB0", 3), data));
  EXPECT_FALSE(DecompressVba(std::string("\x01\xFF\xBF\x00", 4), data));  // too short
  // A copy token pointing before the chunk.
  EXPECT_FALSE(DecompressVba(std::string("\x01\x02\xB0\x01\x00\x00", 6), data));
}

}  // namespace
}  // namespace kdk::workbook
