#include "core/export/code/mars_spss.h"

#include <gtest/gtest.h>

#include "core/mars/mars_test_models.h"

namespace kdk {
namespace {

using testing::ParseText;
using testing::RecordingMessagePort;

TEST(MarsSpss, WorkedExampleWithoutHeader) {
  RecordingMessagePort messages;
  const MarsModel model = ParseText(testing::kWorkedExample, messages);
  MarsSpssOptions options;
  options.include_header = false;
  options.output_field_name = StoredSpssOutputName("  My Out ");
  EXPECT_EQ(options.output_field_name, "my out");
  const std::string expected =
      "COMPUTE BF1 = max(0, X1 - 2.5) .\r\nEXECUTE .\r\n"
      "COMPUTE BF2 = max(0, 2.5 - X1) .\r\nEXECUTE .\r\n"
      "COMPUTE BF3 = ( X2 = 1 OR X2 = 3) * BF1 .\r\nEXECUTE .\r\n"
      "COMPUTE BF4 = NOT(MISSING( X3)) .\r\nEXECUTE .\r\n"
      "COMPUTE BF5 = MISSING( X3) .\r\nEXECUTE .\r\n"
      "COMPUTE my_out = 0.5 + \r\n1.2 * BF1 - \r\n0.7 * BF3 + \r\n0.2 * BF4 .\r\nEXECUTE .\r\n"
      "MATCH FILES\r\n /FILE=*\r\n /DROP= \r\n BF1\r\n BF2\r\n BF3\r\n BF4\r\n BF5 .";
  EXPECT_EQ(MarsSpssText(model, options, messages), expected);
  EXPECT_TRUE(messages.messages.empty());
}

TEST(MarsSpss, HeaderIsTheSummaryAsComments) {
  RecordingMessagePort messages;
  const MarsModel model = ParseText(testing::kWorkedExample, messages);
  const std::string text = MarsSpssText(model, MarsSpssOptions{}, messages);
  EXPECT_EQ(text.rfind("\r\n/*Model Inputs (3)\r\n/*Variable Name", 0), 0u);
  EXPECT_NE(text.find("/*BF5 = ( X3 = .);\r\n\r\n\r\nCOMPUTE BF1 = "), std::string::npos);
  EXPECT_NE(text.find("COMPUTE mars_out = 0.5 + "), std::string::npos);
}

TEST(MarsSpss, IndicatorKeepsItsProductAndNamesAreChecked) {
  RecordingMessagePort messages;
  EXPECT_EQ(MarsSpssCompute("BF6 = ( X3 > .) * BF2;", messages), "BF6 = NOT(MISSING( X3)) * BF2");
  EXPECT_EQ(MarsSpssCompute("  BF1 = max(0, X1 - 2.5);  ", messages), "BF1 = max(0, X1 - 2.5)");
  EXPECT_EQ(SpssOutputVariable("   "), "");
  EXPECT_EQ(SpssOutputVariable(" a b "), "a_b");
}

}  // namespace
}  // namespace kdk
