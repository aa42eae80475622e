// Whole forms of the examples are in tests/golden, and the office suite runs the code
// of seeded models in LibreOffice Basic: here text a model could break out with, and
// names VB would refuse.
#include "core/export/vbproject/network_form_code.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/common/model_text.h"
#include "core/common/text_file.h"
#include "core/export/vbproject/mars_form_code.h"
#include "core/export/vbproject/vb_test_models.h"
#include "core/lang/text_checker.h"
#include "core/mars/mars_test_models.h"

namespace kdk {
namespace {

using testing::MarsText;
using testing::ParseOk;
using testing::ParseText;
using testing::RecordingMessagePort;
using testing::TestStamp;
using testing::ThreeInputNetwork;

TEST(VbNetworkFormCode, HeaderCommentKeepsHostileTextInsideComments) {
  NetworkModel net = ThreeInputNetwork();
  net.data_source = "a\r\nEnd Sub\r\nx _";
  net.data_view = std::string(3000, 'v');
  const std::string text = VbNetworkHeaderComment(net, TestStamp());
  EXPECT_NE(text.find("'training data source: a  End Sub  x _."), std::string::npos);
  for (const std::string& line : SplitIntoLines(text)) {
    EXPECT_TRUE(line.empty() || line[0] == '\'') << line;
  }
  EXPECT_TRUE(lang::CheckLineRules(lang::RulesOf(lang::Language::VisualBasic), text).empty());
}

TEST(VbNetworkFormCode, OneLinearNeuronKeepsTheTanhTest) {
  NetworkModel net = ThreeInputNetwork();
  net.hidden_type = {NeuronType::Linear, NeuronType::Bias};
  for (auto& row : net.wih) row = {row[0], 0};
  net.who = {0.7, 0.1};
  const std::string values = VbNetworkModelValues(net);
  EXPECT_NE(values.find("\r\n\tneurontype(1)=1 'linear\r\n\r\nEnd Sub"), std::string::npos);
  EXPECT_EQ(values.find("neurontype(2)"), std::string::npos);
  EXPECT_NE(VbNetworkForwardPass(net).find(
                "\t   if (neurontype(j) = 2) then hval(j) = myTanh(hval(j))\r\n"),
            std::string::npos);
}

TEST(VbNetworkFormCode, DescriptionQuotesAndLongTextsStayInsideVbLimits) {
  NetworkModel net = ThreeInputNetwork();
  net.data_source = "say \"hi\"\r\n";
  EXPECT_NE(VbNetworkDescriptionText(net, TestStamp())
                .find("\"training data source:say "
                      "\"\"hi\"\"  \""),
            std::string::npos);
  const auto& vb = lang::RulesOf(lang::Language::VisualBasic);
  net.data_view = std::string(5000, '~');
  std::string text = VbNetworkEventProcedures(net, TestStamp());
  EXPECT_TRUE(lang::CheckLineRules(vb, text).empty());
  EXPECT_EQ(std::count(text.begin(), text.end(), '~'), 5000);  // split, not cut
  net.data_source = std::string(40000, '^');                   // beyond 24 continuations: shortened
  text = VbNetworkEventProcedures(net, TestStamp());
  EXPECT_TRUE(lang::CheckLineRules(vb, text).empty());
  EXPECT_EQ(std::count(text.begin(), text.end(), '^'), 2000);
  EXPECT_NE(text.find("^^^...\""), std::string::npos);
}

MarsVbCode Prepared(const MarsModel& model) {
  RecordingMessagePort messages;
  MarsVbCode code;
  EXPECT_TRUE(PrepareMarsVbCode(model, code, messages));
  EXPECT_TRUE(messages.messages.empty());
  return code;
}

TEST(VbMarsDefinition, NamesBeyondAsciiInEitherEncodingBecomeInpval) {
  const std::string text =
      "BF1 = max(0, Gr\xF6\xDF"
      "e - 2.5);\r\nBF2 = ( caf\xE9 > .) * BF1;\r\n\r\n"
      "Y = 1 + 2 * BF2;\r\n\r\nMODEL Y = BF2;\r\n";
  for (const std::string& encoded : {text, Cp1252ToUtf8(text)}) {
    const MarsModel model = ParseOk(encoded);
    EXPECT_EQ(model.input_names, (std::vector<std::string>{"Gr\xF6\xDF"
                                                           "e",
                                                           "caf\xE9"}));
    const MarsVbCode code = Prepared(model);
    EXPECT_EQ(code.definition_lines[0], "BF1 = max(0, inpval(1) - 2.5)");
    EXPECT_EQ(code.definition_lines[1], "BF2 = ( IIF(inpValRepresentsNull(2) ,0,1)) * BF1");
  }
}

TEST(VbMarsFormCode, ModelNamesVbWouldRefuseAreRenamedEverywhere) {
  const MarsVbCode code =
      Prepared(ParseOk("BF1 = max(0, X1 - 2.5);\r\nBF$2 = max(0, 2.5 - X1) * BF1;\r\n\r\n"
                       "Y = 0.5 + 1.2 * BF1 - 0.7 * BF$2;\r\n\r\nMODEL Sub = BF1 BF$2;\r\n"));
  EXPECT_EQ(code.basis_function_names, (std::vector<std::string>{"BF1", "BF_2"}));
  EXPECT_EQ(code.output_name, "Sub_1");
  EXPECT_EQ(code.definition_lines[1], "BF_2 = max(0, 2.5 - inpval(1)) * BF1");
  EXPECT_EQ(code.equation, "0.5 + 1.2 * BF1 - 0.7 * BF_2");
}

TEST(VbMarsFormCode, OutputsNamedLikeFormMembersAreRenamed) {
  MarsModel model = ParseOk(testing::kWorkedExample);
  for (const char* member : {"Height", "top", "Tag", "Visible", "Font", "Caption", "Left",
                             "Enabled", "ZOrder", "Click"}) {
    model.output_name = member;
    EXPECT_EQ(Prepared(model).output_name, member + std::string("_1"));
  }
}

TEST(VbMarsFormCode, ModelsVbCannotComputeAreRefused) {
  RecordingMessagePort messages;
  MarsVbCode code;
  bool ok = false;
  MarsModel model = ParseText(MarsText("BF1 = min(0, X1 - 2.5);\r\n"), messages, &ok);
  // Every converter reads a model the same way: min() is refused when the text is read,
  // and by the project writer when a record holds it all the same.
  EXPECT_FALSE(ok);
  model = ParseOk(testing::kWorkedExample);
  model.basis_function_defs[0] = "BF1 = min(0, X1 - 2.5);";
  messages.messages.clear();
  EXPECT_FALSE(PrepareMarsVbCode(model, code, messages));
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_NE(messages.messages.back().text.find("it is not a hinge"), std::string::npos);

  model = ParseOk(testing::kWorkedExample);
  model.basis_function_defs[0] = "BF1 = max(0, X1 - 2.5); End Sub";
  messages.messages.clear();
  EXPECT_FALSE(PrepareMarsVbCode(model, code, messages));
  EXPECT_FALSE(messages.messages.empty());
}

}  // namespace
}  // namespace kdk
