#include "core/export/vbproject/network_form_code.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/common/text_file.h"
#include "core/export/vbproject/vb_test_models.h"
#include "core/lang/text_checker.h"

namespace kdk {
namespace {

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

// A seen extreme of 0 gives the strength 0 (the network's own rule), not a division by zero.
TEST(VbNetworkFormCode, ForwardPassOfAClassifierWithAZeroExtremeGivesStrength0) {
  NetworkModel net = ThreeInputNetwork(true);
  net.max_seen_out_cl = 0;
  EXPECT_NE(VbNetworkForwardPass(net).find(
                "\tIf (KestriumPrediction > 0) then\r\n"
                "\t   conf = 0\r\n\t   KestriumPrediction = \"TRUE\"\r\n"
                "\tElse\r\n\t  conf = KestriumPrediction/ABS(minSeenOutCL)\r\n"),
            std::string::npos);
  net.max_seen_out_cl = 0.75;
  net.min_seen_out_cl = -0.0;
  EXPECT_NE(VbNetworkForwardPass(net).find("\t   conf = KestriumPrediction/maxSeenOutCL\r\n"
                                           "\t   KestriumPrediction = \"TRUE\"\r\n\tElse\r\n"
                                           "\t  conf = 0\r\n"),
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

}  // namespace
}  // namespace kdk
