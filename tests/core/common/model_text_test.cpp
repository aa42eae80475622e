#include "core/common/model_text.h"

#include <gtest/gtest.h>

namespace kdk {
namespace {

TEST(ModelText, EveryCodePageByteGoesToUtf8AndBack) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    std::string back, error;
    ASSERT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(byte), back, error)) << b;
    EXPECT_EQ(back, byte) << b;
  }
  EXPECT_EQ(Cp1252ToUtf8("\x80\x81\x9F\xE9"), "\u20AC\xC2\x81\u0178\u00E9");
}

TEST(ModelText, DecidesTheEncodingOnce) {
  std::string text, error;
  // ASCII and text that is not UTF-8 stay as they are.
  ASSERT_TRUE(DecodeModelText("BF1 = max(0, x - 1);", text, error));
  EXPECT_EQ(text, "BF1 = max(0, x - 1);");
  ASSERT_TRUE(
      DecodeModelText("Gr\xF6\xDF"
                      "e \xC3",
                      text, error));
  EXPECT_EQ(text,
            "Gr\xF6\xDF"
            "e \xC3");
  // Overlong forms and surrogates are not UTF-8.
  ASSERT_TRUE(DecodeModelText("\xC0\xAF \xED\xA0\x80", text, error));
  EXPECT_EQ(text, "\xC0\xAF \xED\xA0\x80");
  // UTF-8 with non-ASCII is converted, its byte-order mark dropped.
  ASSERT_TRUE(
      DecodeModelText("\xEF\xBB\xBF"
                      "caf\u00E9 \u20AC",
                      text, error));
  EXPECT_EQ(text, "caf\xE9 \x80");
}

TEST(ModelText, RefusesACharacterTheCodePageCannotHoldNamingTheLine) {
  std::string text = "kept", error;
  EXPECT_FALSE(DecodeModelText("BF1 = x\r\nBF2 = \u00E9\nBF3 = y\u4E2D", text, error));
  EXPECT_EQ(error,
            "Line 3 holds the character U+4E2D after \"BF3 = y\": model text is Windows-1252, "
            "which cannot represent it.");
  EXPECT_EQ(text, "kept");
}

TEST(ModelText, PathsAndMessagesCrossBetweenTheFileSystemAndModelText) {
  EXPECT_EQ(MessageTextAsUtf8("Gr\xF6\xDF"
                              "e \x80"),
            "Gr\u00F6\u00DFe \u20AC");
  EXPECT_EQ(MessageTextAsUtf8("/m/caf\u00E9.txt"), "/m/caf\u00E9.txt");
  EXPECT_EQ(PathAsModelText("/m/caf\u00E9 \u4E2D.txt"), "/m/caf\xE9 ?.txt");
  EXPECT_EQ(PathAsModelText("/m/caf\xE9.txt"), "/m/caf\xE9.txt");  // not UTF-8: as it is
}

TEST(ModelText, OneNameCharacterDefinition) {
  EXPECT_TRUE(IsModelNameStart('\xE9') && IsModelNameStart('_') && IsModelNameStart('Z'));
  EXPECT_FALSE(IsModelNameStart('1') || IsModelNameStart('$'));
  EXPECT_TRUE(IsModelNameChar('$') && IsModelNameChar('#') && IsModelNameChar('@') &&
              IsModelNameChar('9') && IsModelNameChar('\x8A'));
  EXPECT_FALSE(IsModelNameChar(' ') || IsModelNameChar('-') || IsModelNameChar('.'));
}

}  // namespace
}  // namespace kdk
