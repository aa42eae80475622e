#include "core/export/sheet/workbook_code_module.h"

#include <gtest/gtest.h>

#include "core/export/sheet/prepare_data_macro.h"
#include "core/export/sheet/workbook_code_blocks.h"
#include "core/export/sheet/workbook_form_pieces.h"
#include "core/export/vbproject/vb_test_models.h"
#include "core/mars/mars_test_models.h"
#include "core/mars/model_summary.h"

namespace kdk {
namespace {

TEST(WorkbookCodeModule, NetworkBlocksInOrderEachWithOneLineEnd) {
  const NetworkModel model = testing::ThreeInputNetwork(true);
  const NetworkCodePieces pieces = NetworkWorkbookPieces(model, testing::TestStamp());
  const std::string expected = pieces.header + "\r\n" + pieces.data_definitions + "\r\n" +
                               WorkbookConstantsBlock() + "\r\n" + pieces.model_values + "\r\n" +
                               pieces.forward_pass + "\r\n" + pieces.normalise + "\r\n" +
                               pieces.tanh + "\r\n" + CalculateItBlock("bk", true) + "\r\n" +
                               WorkbookWarningsBlock(true) + "\r\n" +
                               PrepareDataMacroText({4,
                                                     "bk_CalculateIt",
                                                     {"AREA", "ROOMS", "AGE"},
                                                     "PRICE",
                                                     std::string(kModelKindNetwork),
                                                     true}) +
                               "\r\n";
  EXPECT_EQ(NetworkCodeModuleText(pieces, "bk", model), expected);
  EXPECT_EQ(pieces.data_definitions.rfind("Option Explicit", 0), 0u);
  EXPECT_EQ(pieces.model_values.rfind("\r\nPrivate Sub SetModelValues", 0), 0u);
  EXPECT_NE(pieces.tanh.find("Private Function myTanh(xval As Double) As Double"),
            std::string::npos);
  // The macro's formula part is the classifier's.
  EXPECT_NE(expected.find("\"Strength\""), std::string::npos);
}

TEST(WorkbookCodeModule, MarsModuleHasNoStrengthAndNamesThePastedModel) {
  testing::RecordingMessagePort messages;
  const MarsModel model = testing::ParseText(testing::kWorkedExample, messages);
  MarsCodePieces pieces;
  ASSERT_TRUE(MarsWorkbookPieces(model, pieces, messages));
  EXPECT_EQ(pieces.represents_null.rfind("Private Function RepresentsNull(s As Variant)", 0), 0u);
  EXPECT_EQ(pieces.represents_null.substr(pieces.represents_null.size() - 12), "End Function");
  const std::string text = MarsCodeModuleText(pieces, "m", model, "Pasted_Model", "now");
  const std::string expected =
      MarsModuleHeaderBlock("Pasted_Model", "now") + "\r\n" + ModelSummaryText(model, "", "'", "") +
      "\r\n" + pieces.declarations + "\r\n" + pieces.calculation + "\r\n" +
      MarsCalculateItBlock("m") + pieces.represents_null + "\r\n" +
      PrepareDataMacroText({4, "m_CalculateIt", model.input_names, model.output_name,
                            std::string(kModelKindMars), false}) +
      "\r\n";
  EXPECT_EQ(text, expected);
  EXPECT_NE(text.find("'MARS rules file: Pasted_Model\r\n"), std::string::npos);
  EXPECT_NE(text.find("End Sub\r\n\r\nPrivate Function RepresentsNull("), std::string::npos);
  EXPECT_EQ(text.find("Strength"), std::string::npos);
  EXPECT_EQ(pieces.declarations.rfind("Option Explicit", 0), 0u);
}

}  // namespace
}  // namespace kdk
