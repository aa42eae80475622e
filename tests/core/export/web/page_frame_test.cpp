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

TEST(PageFrameTest, StyleSheetLinesInTheirOddOrder) {
  PageStyle style;
  style.data_grid_font_size = "11pt";
  const std::string tail =
      ";font-family:verdana, tahoma, helvetica, sans-serif;text-decoration:none;}";
  const std::string predict = "11pt;color:RGB(255,255,255);background-color:RGB(0,64,128)" + tail;
  const std::string normal = "9pt;color:RGB(128,64,0);background-color:RGB(192,192,192)" + tail;
  EXPECT_EQ(StyleSheet(style),
            "\r\n<STYLE TYPE=\"text/css\">\r\n"
            "body {margin-left: 4em;background-color:RGB(192,192,192);color:RGB(128,64,0)}\r\n"
            "table.predict {font-size:" +
                predict + "\r\ntr.predict {font-size:" + predict +
                "\r\ntd.predict {font-size:" + predict + "\r\ntable.normal {font-size:" + normal +
                "\r\ntd.normal {font-size:" + normal + "\r\ntr.normal {font-size:" + normal +
                "\r\nspan {color:RGB(255,255,255);background-color:RGB(0,64,128)" + tail +
                "\r\nfont.normal {font-size:9pt;color:RGB(128,64,0)" + tail + "\r\n</STYLE>\r\n");
}

TEST(PageFrameTest, FixedBlocks) {
  EXPECT_EQ(DocumentHead().substr(0, 122),
            "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
            "\"http://www.w3.org/TR/html4/loose.dtd\">\r\n<HTML>\r\n\r\n<HEAD>\r\n");
  EXPECT_NE(DocumentHead().find("\r\n<TITLE>Kestrium Software - http://www.kestrium.com</TITLE>\r\n"
                                "<meta http-equiv=\"content-type\" "
                                "content=\"text/html;charset=iso-8859-1\">\r\n"),
            std::string::npos);
  EXPECT_EQ(ScriptOpen(),
            "\r\n<SCRIPT LANGUAGE=\"JavaScript\" TYPE=\"TEXT/JAVASCRIPT\">\r\n<!-- hide\r\n");
  EXPECT_EQ(ScriptClose(), "\r\n// end hide -->\r\n</SCRIPT>");
  EXPECT_EQ(HeadCloseBodyOpen(), "\r\n</HEAD>\r\n\r\n<BODY>");
  EXPECT_EQ(DocumentEnd(), "</BODY>\r\n\r\n</HTML>");
  const std::string sensing = BrowserSensingScript();
  EXPECT_NE(
      sensing.find("\r\nelse \r\n{\r\n   if (document.all)\r\n     {isAll = 1; isDHTML = 1;}\r\n"
                   "   else \r\n   {\r\n"),
      std::string::npos);
  EXPECT_NE(
      sensing.find("(browserVersion >= 4)) \r\n    isLayers = 1; isDHTML = 1;\r\n   }\r\n}\r\n"),
      std::string::npos);
  EXPECT_EQ(sensing.substr(sensing.size() - 3), "}\r\n");  // the last line is empty
}

TEST(PageFrameTest, IntroductionAndFooters) {
  PageStyle style;
  EXPECT_EQ(IntroductionBlock(style), "");
  style.introduction_html = "a<BR><BR>b";
  EXPECT_EQ(IntroductionBlock(style), "\r\n<FONT class=\"normal\">a<BR><BR>b</FONT>");
  EXPECT_EQ(FooterLine(FooterForm::Network),
            "\r\n<HR><FONT class=\"normal\"><A HREF=\"http://www.kestrium.com\">Visit the "
            "Kestrium Web Site</A></FONT>");
  const std::string mars = FooterLine(FooterForm::Mars);
  EXPECT_EQ(mars.substr(0, 27), "\r\n<HR><FONT class=\"normal\">");
  EXPECT_NE(mars.find("<A HREF=\"http://www.kestrium.com\">Kestrium Software</A>"),
            std::string::npos);
  EXPECT_EQ(mars.substr(mars.size() - 7), "</FONT>");
}

}  // namespace
}  // namespace kdk
