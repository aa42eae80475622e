#include "core/export/code/mars_spss.h"

#include <gtest/gtest.h>

#include "core/mars/mars_reading.h"
#include "core/mars/mars_test_models.h"

namespace kdk {
namespace {

using testing::ParseText;
using testing::RecordingMessagePort;

// The whole syntax, header included, is in tests/golden.
TEST(MarsSpss, TypedOutputNameIsStoredTrimmedAndLowerCasedAndWrittenAsAVariable) {
  EXPECT_EQ(StoredSpssOutputName("  My Out "), "my out");
  EXPECT_EQ(SpssOutputVariable("my out"), "my_out");
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
