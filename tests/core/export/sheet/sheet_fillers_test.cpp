// The sheets' labels, colours, locked cells and formulas are checked in LibreOffice by
// the office suite; here what it cannot see: the cached results and the autofits.
#include "core/export/sheet/sheet_fillers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/export/code/code_test_network.h"
#include "core/export/sheet/recording_spreadsheet.h"
#include "core/mars/mars_test_models.h"

namespace kdk {
namespace {

using ::testing::HasSubstr;

struct SheetFillers : ::testing::Test {
  SheetFillers() {
    std::string error;
    app.Start(error);
    app.AddWorkbook(error);
    app.SelectWorksheet(1, error);
  }
  const testing::RecordingSpreadsheet::Cell& Cell(int row, int column) {
    return app.CellOf("Sheet1", row, column);
  }
  // The autofit ranges asked for, then a clean sheet.
  std::vector<std::pair<int, int>> Autofits() {
    auto autofits = app.sheets[0].autofits;
    app.sheets[0] = {"Sheet1"};
    return autofits;
  }
  testing::RecordingSpreadsheet app;
};

using Ranges = std::vector<std::pair<int, int>>;

TEST_F(SheetFillers, ClassifierCachesTheClassAsTextAndTheStrengthAsANumber) {
  const NetworkModel model = testing::CodeTestNetwork(true);
  const WorkbookResults results = NetworkResultsForZeros(model);
  FillRowSheet(app, "c", model, results);
  EXPECT_EQ(std::get<std::string>(Cell(2, 3).cached), std::get<std::string>(results.prediction));
  EXPECT_EQ(std::get<double>(Cell(2, 4).cached), std::get<double>(results.strength));
  EXPECT_EQ(Autofits(), (Ranges{{1, 4}}));
  FillColumnSheet(app, "c", model, results);
  EXPECT_EQ(std::get<double>(Cell(6, 4).cached), std::get<double>(results.strength));
  EXPECT_EQ(Autofits(), (Ranges{{1, 4}}));
  for (const auto& [value, rounded] : {std::pair{123.456789, 123.4568},
                                       {-0.0123456, -0.0123},
                                       {0.00987654321, 0.00987654321},
                                       {-0.01, -0.01}}) {
    EXPECT_EQ(WorkbookRoundedPrediction(value), rounded);
  }
}

TEST_F(SheetFillers, MarsSheetsForTwoInputs) {
  const MarsModel model = testing::ParseOk(testing::MarsText(
      "BF1 = max(0, X1 - 2.5);\r\nBF2 = max(0, X2 - 1);\r\n", "1 + BF1 + BF2", "BF1 BF2"));
  FillMarsColumnSheet(app, "m", model, MarsResultsForZeros(model));
  EXPECT_EQ(std::get<double>(Cell(6, 2).cached), 1.0);
  EXPECT_EQ(Autofits(), (Ranges{{1, 4}}));
  FillMarsRowSheet(app, "m", model, MarsResultsForZeros(model));
  EXPECT_EQ(std::get<double>(Cell(2, 3).cached), 1.0);
  EXPECT_EQ(Autofits(), (Ranges{{1, 3}}));
}

TEST_F(SheetFillers, InstructionsAreOneCellOfLines) {
  FillInstructionSheet(app);
  const std::string text = Cell(1, 1).value;
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(text.rfind("You can use the two sheets created", 0), 0u);
  EXPECT_THAT(text, HasSubstr("produced\n\nIf you have original data"));
  EXPECT_THAT(text, HasSubstr("\n    (tools>>macro>>macros)\n   This will order"));
  EXPECT_EQ(Autofits(), (Ranges{{1, 1}}));
}

}  // namespace
}  // namespace kdk
