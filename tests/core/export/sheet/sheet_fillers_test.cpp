#include "core/export/sheet/sheet_fillers.h"

#include <gtest/gtest.h>

#include "core/export/sheet/recording_spreadsheet.h"
#include "core/export/vbproject/vb_test_models.h"
#include "core/mars/mars_test_models.h"

namespace kdk {
namespace {

struct SheetFillers : ::testing::Test {
  SheetFillers() {
    std::string error;
    app.Start(error);
    app.AddWorkbook(error);
    app.SelectWorksheet(1, error);
  }
  // The values of row `row` from column `first` to `last`, joined by "|".
  std::string Row(int row, int first, int last) {
    std::string values;
    for (int c = first; c <= last; ++c) values += (c > first ? "|" : "") + Cell(row, c).value;
    return values;
  }
  const testing::RecordingSpreadsheet::Cell& Cell(int row, int column) {
    return app.CellOf("Sheet1", row, column);
  }
  void Clear() {
    app.sheets[0].cells.clear();
    app.sheets[0].autofits.clear();
  }
  testing::RecordingSpreadsheet app;
};

TEST_F(SheetFillers, NetworkRowAndColumnSheets) {
  const NetworkModel model = testing::ThreeInputNetwork();
  FillRowSheet(app, "book", model, NetworkResultsForZeros(model));
  EXPECT_EQ(Row(1, 1, 5), "AREA|ROOMS|AGE|Modelled_PRICE|");
  EXPECT_EQ(Row(2, 1, 4), "0|0|0|=book_CalculateIt(RC[-1]:RC[-3])");
  EXPECT_TRUE(Cell(2, 4).is_formula);
  EXPECT_EQ(Cell(1, 3).font, kPaletteYellow);
  EXPECT_EQ(Cell(1, 3).fill, kPaletteIndigo);
  EXPECT_EQ(Cell(1, 4).font, kPaletteIndigo);
  EXPECT_EQ(Cell(1, 4).fill, kPaletteYellow);
  EXPECT_EQ(app.sheets[0].cells.count({1, 5}), 0u);
  EXPECT_EQ(app.sheets[0].autofits, (std::vector<std::pair<int, int>>{{1, 5}}));

  Clear();
  FillColumnSheet(app, "book", model, NetworkResultsForZeros(model));
  EXPECT_EQ(Row(1, 1, 4), "Inputs|Value|Min|Max");
  EXPECT_EQ(Row(4, 1, 4), "AGE|0|0.5|95.5");
  EXPECT_FALSE(Cell(4, 2).locked);
  EXPECT_EQ(Cell(4, 2).fill, kPaletteIndigo);
  EXPECT_EQ(Row(6, 1, 2), "Output|Model");
  EXPECT_EQ(Row(7, 1, 4), "PRICE|=book_CalculateIt(R[-3]C:R[-5]C)|60000|850000");
  EXPECT_EQ(Cell(7, 2).fill, kPaletteYellow);
  EXPECT_EQ(app.sheets[0].autofits, (std::vector<std::pair<int, int>>{{1, 4}}));
}

TEST_F(SheetFillers, ClassifierAddsStrengthOnBothSheets) {
  const NetworkModel model = testing::ThreeInputNetwork(true);
  const WorkbookResults results = NetworkResultsForZeros(model);
  FillRowSheet(app, "c", model, results);
  EXPECT_EQ(Row(1, 5, 5), "Strength");
  EXPECT_EQ(Row(2, 4, 5), "=c_CalculateIt(RC[-1]:RC[-3],1)|=c_CalculateIt(RC[-2]:RC[-4],2)");
  Clear();
  FillColumnSheet(app, "c", model, results);
  EXPECT_EQ(Row(7, 2, 4),
            "=c_CalculateIt(R[-3]C:R[-5]C,1)|Strength|=c_CalculateIt(R[-3]C[-2]:R[-5]C[-2],2)");
  EXPECT_EQ(Cell(7, 4).fill, kPaletteYellow);
  // The cached class is text; the strength a number.
  EXPECT_TRUE(std::holds_alternative<std::string>(results.prediction));
  EXPECT_TRUE(std::holds_alternative<double>(results.strength));
}

TEST_F(SheetFillers, CachedResultIsTheModuleArithmetic) {
  EXPECT_EQ(WorkbookRoundedPrediction(123.456789), 123.4568);
  EXPECT_EQ(WorkbookRoundedPrediction(-0.0123456), -0.0123);
  EXPECT_EQ(WorkbookRoundedPrediction(0.00987654321), 0.00987654321);
  EXPECT_EQ(WorkbookRoundedPrediction(-0.01), -0.01);
}

TEST_F(SheetFillers, MarsSheetsForTwoInputs) {
  const MarsModel model = testing::ParseOk(testing::MarsText(
      "BF1 = max(0, X1 - 2.5);\r\nBF2 = max(0, X2 - 1);\r\n", "1 + BF1 + BF2", "BF1 BF2"));
  FillMarsColumnSheet(app, "m", model, MarsResultsForZeros(model));
  EXPECT_EQ(Row(1, 1, 3), "Inputs|Value|");
  EXPECT_EQ(Row(2, 1, 1) + Row(3, 1, 1), "X1X2");
  EXPECT_EQ(Row(5, 1, 2), "Output|Modelled_Y");
  EXPECT_EQ(Row(6, 1, 2), "Y|=m_CalculateIt(R[-3]C:R[-4]C)");
  EXPECT_EQ(std::get<double>(Cell(6, 2).cached), 1.0);
  Clear();
  FillMarsRowSheet(app, "m", model, MarsResultsForZeros(model));
  EXPECT_EQ(Row(1, 3, 3) + Row(2, 3, 3), "Modelled_Y=m_CalculateIt(RC[-1]:RC[-2])");
  EXPECT_EQ(app.sheets[0].autofits, (std::vector<std::pair<int, int>>{{1, 3}}));
}

TEST_F(SheetFillers, InstructionsAreOneCellOfLines) {
  FillInstructionSheet(app);
  const std::string text = Cell(1, 1).value;
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(text.rfind("You can use the two sheets created", 0), 0u);
  EXPECT_NE(text.find("produced\n\nIf you have original data"), std::string::npos);
  EXPECT_NE(text.find("\n    (tools>>macro>>macros)\n   This will order"), std::string::npos);
  EXPECT_EQ(app.sheets[0].autofits, (std::vector<std::pair<int, int>>{{1, 1}}));
}

}  // namespace
}  // namespace kdk
