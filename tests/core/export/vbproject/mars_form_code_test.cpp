#include "core/export/vbproject/mars_form_code.h"

#include <gtest/gtest.h>

#include "core/common/model_text.h"
#include "core/export/vbproject/vb_test_models.h"
#include "core/mars/mars_test_models.h"

namespace kdk {
namespace {

using testing::MarsText;
using testing::ParseOk;
using testing::ParseText;
using testing::RecordingMessagePort;

MarsVbCode Prepared(const MarsModel& model) {
  RecordingMessagePort messages;
  MarsVbCode code;
  EXPECT_TRUE(PrepareMarsVbCode(model, code, messages));
  EXPECT_TRUE(messages.messages.empty());
  return code;
}

// Each line is written from the model's reading, so a name, a function and a set test
// mean what they mean to the evaluator however they are spelled.
TEST(VbMarsDefinition, WrittenFromTheReading) {
  const MarsVbCode code = Prepared(ParseOk(MarsText(
      "BF1 = max(0, X1 - 2.5);\r\nBF2 = MAX(0,X11-7);\r\nBF3 = (X2=1 or X2 = -3) * BF1;\r\n"
      "BF4 = (X11>.);\r\nBF5 = ( X11 = .) * BF1 * 2;\r\nBF6 = X2 = 0 Or X2 = 1;\r\n"
      "BF7 = max(0, X1) * BF6;\r\nBF8 = max(0, 1.2E-05 - X1) * BF4;\r\n")));
  EXPECT_EQ(code.definition_lines,
            (std::vector<std::string>{"BF1 = max(0, inpval(1) - 2.5)", "BF2 = max(0, inpval(2)-7)",
                                      "BF3 = (inpval(3)=1 or inpval(3) = -3) * BF1 * -1",
                                      "BF4 = ( IIF(inpValRepresentsNull(2) ,0,1))",
                                      "BF5 = ( IIF(inpValRepresentsNull(2) ,1,0)) * BF1 * 2",
                                      "BF6 = ( inpval(3) = 0 Or inpval(3) = 1) * -1",
                                      "BF7 = max(0, (inpval(1))) * BF6",
                                      "BF8 = max(0, 1.2E-05 - inpval(1)) * BF4"}));
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
