#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/export/web/mars_page.h"
#include "core/export/web/mars_script.h"
#include "core/export/web/network_page.h"
#include "core/export/web/page_frame.h"
#include "core/export/web/page_style.h"
#include "core/test_models.h"

namespace kdk {
namespace {

using ::testing::HasSubstr;

using testing::MarsText;
using testing::ParseOk;
using testing::RecordingMessagePort;

TEST(PageText, PathsDescriptionsAndUserColours) {
  NetworkModel model = testing::CodeTestNetwork(true);
  model.description = "First <i>\r\nSecond";
  const std::string notes =
      NetworkNotesBlock(model, {"/m/a<b>.kwf", "Mon, May 3 2004, 9:05 AM", "now"});
  EXPECT_THAT(notes, HasSubstr(">/m/a&lt;b&gt;.kwf</TD>"));
  EXPECT_THAT(notes, HasSubstr("<P>First &lt;i&gt;</P>\r\n<P>Second</P>"));
  // User colours in both forms and nothing else; line breaks and defaults.
  EXPECT_EQ(ColourTextFromUser("#0a0B0c"), "RGB(10,11,12)");
  EXPECT_EQ(ColourTextFromUser("rgb( 1, 2,3 )"), "RGB(1,2,3)");
  EXPECT_EQ(RgbOfColourText("RGB(255,0,1)"), 0xFF0001u);
  for (const char* bad : {"RGB(256,0,0)", "RGB(1,2)", "#12345", "#1234567", "#12345g", "red",
                          "RGB(1,2,3);}", "RGB(-1,2,3)", "RGB(1,,3)", "#+12345"}) {
    EXPECT_FALSE(ColourTextFromUser(bad)) << bad;
  }
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

TEST(MarsScriptTest, WholeWordsFormsAndNamesTheScriptCanHold) {
  MarsModel model = ParseOk(MarsText(
      "BF1 = max(0, X1 - 1);\r\nBF2 = max(0, X10 - 2) * BF1;\r\nBF3 = MAX(0, maxrate - 3);\r\n"
      "BF4 = ( X10 = 4 or X10=0) * BF2;\r\nBF5 = ( Xmax>.);\r\nBF6 = max(0, Xmax + 1) * "
      "BF5;\r\n",
      "1 + BF1 + BF2 + BF3 + BF4 + BF6", "BF1 BF2 BF3 BF4 BF6"));
  ASSERT_EQ(model.input_names, (std::vector<std::string>{"X1", "X10", "maxrate", "Xmax"}));
  EXPECT_EQ(model.is_categorical, (std::vector<bool>{false, true, false, false}));
  RecordingMessagePort messages;
  const MarsScript script(model, messages);
  EXPECT_EQ(script.Statements()[1], "var BF2 = Math.max(0, (inpval[2] * 1.0) - 2) * BF1;");
  EXPECT_EQ(script.Statements()[2], "var BF3 = Math.max(0, (inpval[3] * 1.0) - 3);");
  EXPECT_EQ(script.Statements()[3],
            "var tempx = new Array(4,0);\r\n\tvar BF4 = inpValIsAFlag(2,tempx,2) * BF2;");
  EXPECT_EQ(script.Statements()[4], "var BF5 = ( inpValRepresentsNull(4,0,1));");
  EXPECT_EQ(script.Statements()[5], "var BF6 = Math.max(0, (inpval[4] * 1.0) + 1) * BF5;");
  // The reader refuses such text; the page must hold even for a model made otherwise:
  // names that are no identifiers, a basis function the script must rename, and
  // definitions that are no arithmetic.
  model = MarsModel();
  model.output_name = "Y";
  model.is_categorical.assign(5, false);
  model.input_names = {"</script", "a\"b", "class", "x'y;alert", "X1"};
  model.basis_function_names = {"BF1", "BF2", "BF3", "BFtempx", "BF5", "BF6"};
  model.basis_function_defs = {
      "BF1 = max(0, </script - 1);",      "BF2 = max(0, a\"b - 2);",
      "BF3 = max(0, class + 1);",         "BFtempx = max(0, x'y;alert - 3);",
      "BF5 = max(0, X1 - 1) ; alert(1);", "BF6 = max(0, X1 - 1) // comment;"};
  model.equation = "Y = 1 + BF1 + BF2 + BF3 + BFtempx + BF5 + BF6";
  const std::string block = CalcMarsBlock(model, false, messages);
  EXPECT_THAT(block, HasSubstr("\tvar BF1 = Math.max(0, (inpval[1] * 1.0) - 1);\r\n"));
  EXPECT_THAT(block, HasSubstr("\tvar BF2 = Math.max(0, (inpval[2] * 1.0) - 2);\r\n"));
  EXPECT_THAT(block, HasSubstr("\tvar BF3 = Math.max(0, (inpval[3] * 1.0) + 1);\r\n"));
  EXPECT_THAT(block, HasSubstr("\tvar BF5 = NaN;\r\n\tvar BF6 = NaN;\r\n"));
  for (const char* forbidden : {"</", "alert(1", "\"b", "class", "//  comment", "'y"}) {
    EXPECT_EQ(block.find(forbidden), std::string::npos) << forbidden;
  }
  const std::string form = MarsFormBlock(model);
  EXPECT_THAT(form, HasSubstr(">&lt;/script</TD>"));
  EXPECT_THAT(form, HasSubstr(">a&quot;b</TD>"));
  // Basis function names become distinct script names.
  model = MarsModel();
  model.output_name = "Y";
  model.input_names = {"X1"};
  model.is_categorical = {false};
  // Names that are no script identifiers, and one the page itself uses.
  model.basis_function_names = {"BF<1>", "tempx"};
  model.basis_function_defs = {"BF<1> = max(0, X1 - 1);", "tempx = max(0, X1 - 2) * BF<1>;"};
  model.equation = "Y = 1 + BF<1> + tempx";
  const MarsScript renamed(model, messages);
  EXPECT_EQ(renamed.VariableNames(), (std::vector<std::string>{"BF_1_", "tempx_1"}));
  EXPECT_EQ(renamed.Statements()[1], "var tempx_1 = Math.max(0, (inpval[1] * 1.0) - 2) * BF_1_;");
  EXPECT_EQ(renamed.Prediction(), "1 + BF_1_ + tempx_1");
}

}  // namespace
}  // namespace kdk
