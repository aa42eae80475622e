#include "core/export/code/mars_spss.h"

#include <gtest/gtest.h>

#include "core/mars/mars_reading.h"
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

TEST(MarsSpss, IndicatorTimesAProductIsBracketedSoItComputesTheModel) {
  RecordingMessagePort messages;
  const MarsModel model = ParseText(
      "BF1 = max(0, X1 - 2.5);\r\nBF2 = ( X3 > .) * BF1;\r\nBF3 = ( X3 = .) * BF1 * 2;\r\n\r\n"
      "Y = BF2 + BF3;\r\n\r\nMODEL Y = BF2 BF3;\r\n",
      messages);
  MarsReading reading;
  std::string error;
  ASSERT_TRUE(ReadMarsModel(model, reading, error)) << error;
  // NOT binds more loosely than "*": unbracketed, NOT would take the whole product.
  EXPECT_EQ(MarsSpssCompute(model.basis_function_defs[1], reading.basis[1], model),
            "BF2 = (NOT(MISSING( X3))) * BF1");
  EXPECT_EQ(MarsSpssCompute(model.basis_function_defs[2], reading.basis[2], model),
            "BF3 = MISSING( X3) * BF1 * 2");
  EXPECT_EQ(MarsSpssCompute("  BF1 = max(0, X1 - 2.5);  ", reading.basis[0], model),
            "BF1 = max(0, X1 - 2.5)");
  EXPECT_EQ(SpssOutputVariable("   "), "");
  EXPECT_EQ(SpssOutputVariable(" a b "), "a_b");
}

TEST(MarsSpss, InputsSpssCannotNameAreRefused) {
  RecordingMessagePort messages;
  const MarsModel model =
      ParseText("BF1 = max(0, BY - 2.5);\r\n\r\nY = BF1;\r\n\r\nMODEL Y = BF1;\r\n", messages);
  std::string text, error;
  EXPECT_FALSE(BuildMarsSpss(model, MarsSpssOptions{}, text, error));
  EXPECT_EQ(error.rfind("The input BY is not a name SPSS accepts", 0), 0u) << error;
}

}  // namespace
}  // namespace kdk
