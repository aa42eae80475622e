#include "core/export/web/network_page.h"

#include <gtest/gtest.h>

#include "core/common/text_file.h"
#include "core/export/web/web_test_models.h"

namespace kdk {
namespace {

using testing::WebTestNetwork;

std::vector<std::string> Lines(const std::string& block) {
  return SplitIntoLines(block + "\r\n");
}

TEST(NetworkPageTest, VariablesOfThreeInputsAndTwoHiddenNeurons) {
  PageStyle style;
  EXPECT_EQ(NetworkVariablesBlock(WebTestNetwork(false), style),
            "//set the variable values\r\n"
            "var normalColour = 'RGB(0,64,128)';\r\n"
            "var warningColour = 'RGB(255,0,0)';\r\n"
            "var hiddenneurons = 2;\r\n"
            "var inppb = 4;\r\n"
            "var outputbias = 0.3;\r\n"
            "maxNorm = new Array(0,100,10,0.5);\r\n"
            "maxSeen = new Array(0,90,9,0.25);\r\n"
            "minNorm = new Array(0,0,1,-0.5);\r\n"
            "minSeen = new Array(0,10,2,-1.2E-05);\r\n"
            "var maxNormOut = 500000\r\n"
            "var minNormOut = 1000\r\n"
            "var maxSeenOut = 450000\r\n"
            "var minSeenOut = 2000\r\n"
            "input1 = new Array(0,0.5,-1.25);\r\n"
            "input2 = new Array(0,2,0.125);\r\n"
            "input3 = new Array(0,-3,1E-05);\r\n"
            "input4 = new Array(0,0.1,-0.2);\r\n"
            "wih = new Array(\"\",input1,input2,input3,input4);\r\n"
            "who = new Array(0,1.5,-0.75);\r\n"
            "neurontype = new Array(0,2,1);\r\n");
  const std::string classifier = NetworkVariablesBlock(WebTestNetwork(true), style);
  EXPECT_NE(classifier.find("var minSeenOut = 2000\r\nvar maxSeenOutCL = 0.75\r\n"
                            "var minSeenOutCL = -0.5\r\ninput1"),
            std::string::npos);
}

TEST(NetworkPageTest, CalcNetLinesAndTails) {
  const std::vector<std::string> regression = Lines(CalcNetBlock(WebTestNetwork(false)));
  ASSERT_EQ(regression.size(), 68u);
  EXPECT_EQ(regression[0], "");
  EXPECT_EQ(regression[11], "\t var n = document.datainput.elements[i].value;");
  EXPECT_EQ(regression[14], "\t        alert (\"Invalid number\");");
  EXPECT_EQ(regression[36], "\t\tfor (var j = 1; j <= hiddenneurons; j++)");
  EXPECT_EQ(regression[38], "\t }\t");
  EXPECT_EQ(regression[57],
            "\tKestriumPrediction = (((KestriumPrediction / 2) + 0.5 ) * (maxNormOut - "
            "minNormOut)) + minNormOut;");
  EXPECT_EQ(regression[63], "\tdum = outputWarning(KestriumPrediction);");
  EXPECT_EQ(regression[65], "}");
  EXPECT_EQ(regression[67], "");
  const std::vector<std::string> classifier = Lines(CalcNetBlock(WebTestNetwork(true)));
  ASSERT_EQ(classifier.size(), 76u);
  EXPECT_EQ(classifier[60], "\t conf = KestriumPrediction/maxSeenOutCL;");
  EXPECT_EQ(classifier[61], "\t KestriumPrediction = \"TRUE\";");
  EXPECT_EQ(classifier[71], "\tdocument.datainput.confidence.value = Math.round(conf * 100)/100;");
  EXPECT_EQ(classifier[73], "}");
  // Limits of the unusual sign: the strength divides by their size, as the evaluator does.
  NetworkModel reversed = WebTestNetwork(true);
  reversed.max_seen_out_cl = -0.7;
  reversed.min_seen_out_cl = 0.6;
  const std::vector<std::string> abs = Lines(CalcNetBlock(reversed));
  EXPECT_EQ(abs[60], "\t conf = KestriumPrediction/Math.abs(maxSeenOutCL);");
  EXPECT_EQ(abs[65], "\t conf = KestriumPrediction/Math.abs(minSeenOutCL);");
}

TEST(NetworkPageTest, WarningFunctionsOfAClassifierLeaveTheOutputCellsAlone) {
  const std::string regression = WarningFunctionsBlock(WebTestNetwork(false));
  const std::string classifier = WarningFunctionsBlock(WebTestNetwork(true));
  EXPECT_EQ(Lines(regression).size(), 55u);
  EXPECT_EQ(Lines(classifier).size(), 53u);
  EXPECT_NE(regression.find("    }\r\n    dum = colours(\"maxOut\",normalColour,0 );\r\n"
                            "    dum = colours(\"minOut\",normalColour,0 );\r\n    return 0;"),
            std::string::npos);
  EXPECT_NE(classifier.find("    }\r\n    return 0;"), std::string::npos);
  EXPECT_NE(
      classifier.find("\r\n          document.all[objectID].style.background = thisColour;\r\n"),
      std::string::npos);
  EXPECT_EQ(Lines(NormaliseBlock()).size(), 10u);
  EXPECT_EQ(Lines(TanhBlock()).size(), 16u);
  EXPECT_EQ(Lines(TanhBlock())[10],
            "\t\tmyResult = (Math.exp(x) - Math.exp(-1 * x))/ (Math.exp(x) + Math.exp(-1 * x));");
}

TEST(NetworkPageTest, FormRowsEscapeNamesAndKeepTheLayout) {
  const std::string form = NetworkFormBlock(WebTestNetwork(false));
  const std::vector<std::string> lines = Lines(form);
  ASSERT_EQ(lines.size(), 15u);  // 5 + three inputs + 7
  EXPECT_EQ(lines[6],
            "<TR><TD CLASS=\"predict\">Rooms &amp; &lt;b&gt;size&lt;/b&gt;</TD><TD "
            "CLASS=\"predict\"><INPUT TYPE=\"TEXT\" name=\"Input2\" Size=\"10\" "
            "maxlength=\"10\"></TD><TD CLASS=\"predict\"><SPAN id=\"min2\">2</SPAN></TD><TD "
            "CLASS=\"predict\"><SPAN id=\"max2\">9</SPAN></TD></TR>");
  EXPECT_EQ(lines[8],
            "<TR><TD></TD><TD><INPUT TYPE=\"HIDDEN\" name=\"Input4\" Size=\"10\" maxlength=\"10\" "
            "VALUE=\"1\"></TD><TD></TD><TD></TD></TR>");
  EXPECT_EQ(lines[9], "<TR><TD CLASS=\"predict\">Prediction</TD><TD></TD>");
  EXPECT_EQ(lines[10],
            "<TR><TD CLASS=\"predict\">Price</TD><TD CLASS=\"predict\"><INPUT TYPE=\"Text\" "
            "name=\"prediction\" Size=\"10\" maxlength=\"10\" VALUE=\"?\"></TD><TD "
            "CLASS=\"predict\"><SPAN id=\"minOut\">2000</SPAN></TD><TD CLASS=\"predict\"><SPAN "
            "id=\"maxOut\">450000</SPAN></TD></TR>");
  EXPECT_EQ(lines[14], "");
  const std::string classifier = NetworkFormBlock(WebTestNetwork(true));
  EXPECT_EQ(classifier.find("minOut"), std::string::npos);
  EXPECT_NE(classifier.find("VALUE=\"?\"></TD><TD CLASS=\"predict\">Strength = </TD><TD "
                            "CLASS=\"predict\"><INPUT TYPE=\"TEXT\" name=\"confidence\" "
                            "Size=\"10\" maxlength=\"4\"></TD></TR>\r\n"),
            std::string::npos);
  EXPECT_EQ(form.find("confidence"), std::string::npos);
}

TEST(NetworkPageTest, NotesWithAndWithoutDescription) {
  NetworkModel model = WebTestNetwork(false);
  const GenerationStamp facts{"/m/a<b>.kwf", "Mon, May 3 2004, 9:05 AM",
                              "Sat, Dec 5 2026, 5:30 PM"};
  const std::string plain = NetworkNotesBlock(model, facts);
  EXPECT_EQ(plain.find("<HR><BR>"), std::string::npos);
  EXPECT_EQ(plain.find("Strength"), std::string::npos);
  EXPECT_NE(
      plain.find("</FONT>\r\n<HR>\r\n<TABLE class=\"normal\">\r\n"
                 "<TR><TD class=\"normal\">inputs:</TD><TD class=\"normal\">3</TD></TR>\r\n"
                 "<TR><TD class=\"normal\">hidden neurons:</TD><TD class=\"normal\">2</TD></TR>"),
      std::string::npos);
  EXPECT_NE(plain.find(">/m/a&lt;b&gt;.kwf</TD>"), std::string::npos);
  EXPECT_EQ(plain.substr(plain.size() - 8), "</TABLE>");

  model.is_classifier = true;
  model.description = "First <i>\r\nSecond";
  const std::string described = NetworkNotesBlock(model, facts);
  EXPECT_NE(described.find("</FONT>\r\n<BR><FONT CLASS=\"normal\"><b>'Strength'</b>"),
            std::string::npos);
  EXPECT_NE(described.find("</FONT>\r\n<HR><BR><FONT CLASS=\"normal\"><P>First &lt;i&gt;</P>\r\n"
                           "<P>Second</P></FONT>\r\n\r\n<HR>\r\n"),
            std::string::npos);
}

TEST(NetworkPageTest, WholePageOrderAndEmptyIntroduction) {
  PageStyle style;
  const std::string page = NetworkPageText(WebTestNetwork(false), style, GenerationStamp{});
  EXPECT_NE(page.find("<BODY>\r\n\r\n\r\n<FORM name=\"datainput\">"), std::string::npos);
  const size_t variables = page.find("//set the variable values");
  const size_t sensing = page.find("// browser sensing");
  const size_t colours = page.find("function colours(");
  const size_t close = page.find("// end hide -->");
  EXPECT_LT(sensing, variables);
  EXPECT_LT(colours, close);
  EXPECT_EQ(page.substr(page.size() - 20), "</BODY>\r\n\r\n</HTML>\r\n");
  style.introduction_html = "Hello<BR>";
  const std::string introduced = NetworkPageText(WebTestNetwork(false), style, GenerationStamp{});
  EXPECT_NE(introduced.find("<BODY>\r\n\r\n<FONT class=\"normal\">Hello<BR></FONT>\r\n\r\n<FORM"),
            std::string::npos);
}

}  // namespace
}  // namespace kdk
