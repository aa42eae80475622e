#include "core/export/sheet/sheet_fillers.h"

#include <gtest/gtest.h>

#include "core/export/sheet/recording_spreadsheet.h"
#include "core/mars/mars_test_models.h"

namespace kdk {
namespace {

using testing::RecordingSpreadsheet;

NetworkModel ThreeInputs(bool classifier) {
  NetworkModel model;
  model.input_names = {"age", "size", "rooms"};
  model.output_name = "price";
  model.is_classifier = classifier;
  model.max_norm = {100, 10, 8};
  model.min_norm = {0, 0, 1};
  model.max_seen = {90, 9.5, 7};
  model.min_seen = {1, 0.5, 1};
  model.max_norm_out = 500;
  model.min_norm_out = 10;
  model.max_seen_out = 450;
  model.min_seen_out = 20;
  model.max_seen_out_cl = 0.8;
  model.min_seen_out_cl = -0.6;
  model.hidden_type = {NeuronType::NonLinear, NeuronType::Bias};
  model.wih = {{0.5, 0}, {-0.25, 0}, {1, 0}, {0.1, 0}};
  model.who = {0.75, -0.2};
  return model;
}

RecordingSpreadsheet SheetApp() {
  RecordingSpreadsheet app;
  std::string error;
  app.Start(error);
  app.AddWorkbook(error);
  app.SelectWorksheet(1, error);
  app.SetWorksheetName("s", error);
  return app;
}

TEST(SheetFillers, ThreeInputRowSheet) {
  RecordingSpreadsheet app = SheetApp();
  const NetworkModel model = ThreeInputs(false);
  FillRowSheet(app, "book", model, NetworkResultsForZeros(model));
  const char* names[] = {"age", "size", "rooms"};
  for (int c = 1; c <= 3; ++c) {
    EXPECT_EQ(app.CellOf("s", 1, c).value, names[c - 1]);
    EXPECT_EQ(app.CellOf("s", 1, c).font, kPaletteYellow);
    EXPECT_EQ(app.CellOf("s", 1, c).fill, kPaletteIndigo);
    EXPECT_EQ(app.CellOf("s", 2, c).value, "0");
  }
  EXPECT_EQ(app.CellOf("s", 1, 4).value, "Modelled_price");
  EXPECT_EQ(app.CellOf("s", 1, 4).font, kPaletteIndigo);
  EXPECT_EQ(app.CellOf("s", 1, 4).fill, kPaletteYellow);
  EXPECT_EQ(app.CellOf("s", 2, 4).value, "=book_CalculateIt(RC[-1]:RC[-3])");
  EXPECT_TRUE(app.CellOf("s", 2, 4).is_formula);
  EXPECT_EQ(app.sheets[0].cells.count({1, 5}), 0u);
  ASSERT_EQ(app.sheets[0].autofits.size(), 1u);
  EXPECT_EQ(app.sheets[0].autofits[0], std::make_pair(1, 5));
}

TEST(SheetFillers, ThreeInputColumnSheet) {
  RecordingSpreadsheet app = SheetApp();
  const NetworkModel model = ThreeInputs(false);
  FillColumnSheet(app, "book", model, NetworkResultsForZeros(model));
  EXPECT_EQ(app.CellOf("s", 1, 1).value, "Inputs");
  EXPECT_EQ(app.CellOf("s", 1, 2).value, "Value");
  EXPECT_EQ(app.CellOf("s", 1, 3).value, "Min");
  EXPECT_EQ(app.CellOf("s", 1, 4).value, "Max");
  EXPECT_EQ(app.CellOf("s", 4, 1).value, "rooms");
  EXPECT_EQ(app.CellOf("s", 4, 2).value, "0");
  EXPECT_FALSE(app.CellOf("s", 4, 2).locked);
  EXPECT_EQ(app.CellOf("s", 4, 2).fill, kPaletteIndigo);
  EXPECT_EQ(app.CellOf("s", 3, 3).value, "0.5");
  EXPECT_EQ(app.CellOf("s", 3, 4).value, "9.5");
  EXPECT_EQ(app.CellOf("s", 6, 1).value, "Output");
  EXPECT_EQ(app.CellOf("s", 6, 2).value, "Model");
  EXPECT_EQ(app.CellOf("s", 7, 1).value, "price");
  EXPECT_EQ(app.CellOf("s", 7, 2).value, "=book_CalculateIt(R[-3]C:R[-5]C)");
  EXPECT_EQ(app.CellOf("s", 7, 2).fill, kPaletteYellow);
  EXPECT_EQ(app.CellOf("s", 7, 3).value, "20");
  EXPECT_EQ(app.CellOf("s", 7, 4).value, "450");
  EXPECT_EQ(app.sheets[0].autofits[0], std::make_pair(1, 4));
}

TEST(SheetFillers, ClassifierAddsStrengthOnBothSheets) {
  RecordingSpreadsheet app = SheetApp();
  const NetworkModel model = ThreeInputs(true);
  const WorkbookResults results = NetworkResultsForZeros(model);
  FillRowSheet(app, "c", model, results);
  EXPECT_EQ(app.CellOf("s", 2, 4).value, "=c_CalculateIt(RC[-1]:RC[-3],1)");
  EXPECT_EQ(app.CellOf("s", 1, 5).value, "Strength");
  EXPECT_EQ(app.CellOf("s", 2, 5).value, "=c_CalculateIt(RC[-2]:RC[-4],2)");
  std::string error;
  app.SelectWorksheet(1, error);
  app.sheets[0].cells.clear();
  FillColumnSheet(app, "c", model, results);
  EXPECT_EQ(app.CellOf("s", 7, 2).value, "=c_CalculateIt(R[-3]C:R[-5]C,1)");
  EXPECT_EQ(app.CellOf("s", 7, 3).value, "Strength");
  EXPECT_EQ(app.CellOf("s", 7, 4).value, "=c_CalculateIt(R[-3]C[-2]:R[-5]C[-2],2)");
  EXPECT_EQ(app.CellOf("s", 7, 4).fill, kPaletteYellow);
  // The cached class is text; the strength a number.
  ASSERT_TRUE(std::holds_alternative<std::string>(results.prediction));
  ASSERT_TRUE(std::holds_alternative<double>(results.strength));
}

TEST(SheetFillers, CachedResultIsTheModuleArithmetic) {
  EXPECT_EQ(WorkbookRoundedPrediction(123.456789), 123.4568);
  EXPECT_EQ(WorkbookRoundedPrediction(-0.0123456), -0.0123);
  EXPECT_EQ(WorkbookRoundedPrediction(0.00987654321), 0.00987654321);
  EXPECT_EQ(WorkbookRoundedPrediction(-0.01), -0.01);
}

TEST(SheetFillers, MarsSecondSheetForTwoInputs) {
  testing::RecordingMessagePort messages;
  const MarsModel model = testing::ParseText(
      "BF1 = max(0, X1 - 2.5);\r\nBF2 = max(0, X2 - 1);\r\n\r\nY = 1 + BF1 + BF2;\r\n\r\n"
      "MODEL Y = BF1 BF2;\r\n",
      messages);
  ASSERT_EQ(model.InputCount(), 2);
  RecordingSpreadsheet app = SheetApp();
  FillMarsColumnSheet(app, "m", model, MarsResultsForZeros(model));
  EXPECT_EQ(app.CellOf("s", 1, 1).value, "Inputs");
  EXPECT_EQ(app.CellOf("s", 1, 2).value, "Value");
  EXPECT_EQ(app.CellOf("s", 1, 3).value, "");
  EXPECT_EQ(app.CellOf("s", 2, 1).value, "X1");
  EXPECT_EQ(app.CellOf("s", 3, 1).value, "X2");
  EXPECT_EQ(app.CellOf("s", 5, 1).value, "Output");
  EXPECT_EQ(app.CellOf("s", 5, 2).value, "Modelled_Y");
  EXPECT_EQ(app.CellOf("s", 6, 1).value, "Y");
  EXPECT_EQ(app.CellOf("s", 6, 2).value, "=m_CalculateIt(R[-3]C:R[-4]C)");
  EXPECT_EQ(std::get<double>(app.CellOf("s", 6, 2).cached), 1.0);

  std::string error;
  app.sheets[0].cells.clear();
  app.sheets[0].autofits.clear();
  FillMarsRowSheet(app, "m", model, MarsResultsForZeros(model));
  EXPECT_EQ(app.CellOf("s", 2, 3).value, "=m_CalculateIt(RC[-1]:RC[-2])");
  EXPECT_EQ(app.CellOf("s", 1, 3).value, "Modelled_Y");
  EXPECT_EQ(app.sheets[0].autofits[0], std::make_pair(1, 3));
}

TEST(SheetFillers, InstructionsAreOneCellOfLines) {
  RecordingSpreadsheet app = SheetApp();
  FillInstructionSheet(app);
  const std::string text = app.CellOf("s", 1, 1).value;
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(text.rfind("You can use the two sheets created", 0), 0u);
  EXPECT_NE(text.find("produced\n\nIf you have original data"), std::string::npos);
  EXPECT_NE(text.find("\n    (tools>>macro>>macros)\n   This will order"), std::string::npos);
  EXPECT_EQ(app.sheets[0].autofits[0], std::make_pair(1, 1));
}

}  // namespace
}  // namespace kdk
