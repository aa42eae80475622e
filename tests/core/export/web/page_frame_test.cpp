#include "core/export/web/page_frame.h"

#include <gtest/gtest.h>

#include "core/export/web/page_style.h"

namespace kdk {
namespace {

TEST(PageStyleTest, ColourTextFromBgrValues) {
  EXPECT_EQ(ColourToRgbText(0xFF0000), "RGB(0,0,255)");  // pure blue
  EXPECT_EQ(ColourToRgbText(0), "RGB(0,0,0)");
  EXPECT_EQ(ColourToRgbText(0x804000), "RGB(0,64,128)");
  EXPECT_EQ(ColourToRgbText(RgbToBgr(0x0000FF)), "RGB(0,0,255)");
}

TEST(PageStyleTest, UserColoursInBothFormsAndNothingElse) {
  EXPECT_EQ(ColourTextFromUser("#0a0B0c"), "RGB(10,11,12)");
  EXPECT_EQ(ColourTextFromUser("rgb( 1, 2,3 )"), "RGB(1,2,3)");
  EXPECT_EQ(RgbOfColourText("RGB(255,0,1)"), 0xFF0001u);
  for (const char* bad : {"RGB(256,0,0)", "RGB(1,2)", "#12345", "#1234567", "#12345g", "red",
                          "RGB(1,2,3);}", "RGB(-1,2,3)", "RGB(1,,3)", "#+12345"}) {
    EXPECT_FALSE(ColourTextFromUser(bad)) << bad;
  }
}

TEST(PageStyleTest, LineBreaksAndDefaults) {
  EXPECT_EQ(ReplaceLineBreaksWithBr("a\r\n\r\nb"), "a<BR><BR>b");
  EXPECT_EQ(ReplaceLineBreaksWithBr(kDefaultIntroduction), "Type an Introduction Here<BR>");
  EXPECT_EQ(ReplaceLineBreaksWithBr("a\nb\rc"), "a\nb\rc");
  PageStyle style;
  style.warning_colour = "RGB(1,2,3)";
  style.normal_font_size = "12pt";
  ApplyDefaultColours(style);
  EXPECT_EQ(style.warning_colour, "RGB(255,0,0)");
  EXPECT_EQ(style.normal_font_size, "12pt");
  EXPECT_TRUE(IsFontSizeEntry("10pt"));
  EXPECT_FALSE(IsFontSizeEntry("13pt"));
}

}  // namespace
}  // namespace kdk
