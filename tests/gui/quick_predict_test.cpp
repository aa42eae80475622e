// The QuickPredict grid: rounded midpoints, live predictions, range warnings, toggles.
#include <gtest/gtest.h>

#include "core/common/number_text.h"
#include "gui/common/latin1_text.h"
#include "gui/network/grid_numbers.h"
#include "gui/network/pointer_file.h"
#include "support/gui_harness.h"

namespace kdk::testing {
namespace {

using gui::PredictionGrid;

// Two inputs whose ranges show rounding: "gamma" 0 to 0.61725 (midpoint 0.308625,
// shown 0.31) and "delta" -2.5 to 2.5.
WeightsFileRecipe RoundingRecipe(bool classifier) {
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.inputs = {{"gamma", 1, 0, 0.2345, -1}, {"delta", 5, -5, 0.5, -0.5}};
  if (classifier) {
    recipe.header = "\"source.csv\",\"all rows\",#TRUE#";
    recipe.max_norm_out = 1;
    recipe.min_norm_out = 0;
  }
  return recipe;
}

class QuickPredictTest : public GuiTest {
 protected:
  void Start(const WeightsFileRecipe& recipe = RoundingRecipe(false)) {
    StartWith(recipe);
    grid = QuickPredict()->Grid();
    ASSERT_EQ(grid->rowCount(), 2);
  }
  // What the user does: type into a Value cell.
  void Type(int row, const QString& text) {
    grid->item(row - 1, PredictionGrid::kValueColumn - 1)->setText(text);
  }
  void Type(int row, const char* text) { Type(row, QString::fromLatin1(text)); }
  QString Value(int row) const { return grid->CellText(PredictionGrid::kValueColumn, row); }
  QString Prediction() const { return Text("txtPredicition"); }
  QString ExpectedPrediction(const std::vector<double>& inputs) const {
    return gui::ToQString(NumberText(conformance::Predicted(workspace.network, inputs).prediction));
  }
  void Up(int row) { grid->ToggleButton(PredictionGrid::kToggleUpColumn, row)->click(); }
  void Down(int row) { grid->ToggleButton(PredictionGrid::kToggleDownColumn, row)->click(); }
  bool Flagged(int column, int row) const { return grid->IsEmphasised(column, row); }

  PredictionGrid* grid = nullptr;
};

TEST_F(QuickPredictTest, GridShowsNamesRangesRoundedMidpointsAndThePointer) {
  Start();
  // Name, Min, Max and Value of each row.
  const QStringList rows[] = {{"gamma", "0.000", "0.617", "0.31"},
                              {"delta", "-2.500", "2.500", "0"}};
  const int columns[] = {1, PredictionGrid::kMinColumn, PredictionGrid::kMaxColumn,
                         PredictionGrid::kValueColumn};
  for (int row = 1; row <= 2; ++row) {
    for (int i = 0; i < 4; ++i) EXPECT_EQ(grid->CellText(columns[i], row), rows[row - 1][i]);
  }
  // Names and ranges are not editable, values are; the toggle cells are buttons.
  EXPECT_FALSE(grid->item(0, 0)->flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(grid->item(0, 2)->flags() & Qt::ItemIsEditable);
  EXPECT_TRUE(grid->item(0, 4)->flags() & Qt::ItemIsEditable);
  EXPECT_NE(grid->ToggleButton(4, 2), nullptr);
  EXPECT_NE(grid->ToggleButton(6, 2), nullptr);
  EXPECT_EQ(grid->ToggleButton(5, 2), nullptr);
  // The first prediction uses the rounded midpoint.
  EXPECT_EQ(Prediction(), ExpectedPrediction({0.31, 0}));
  EXPECT_FALSE(Shown("frameClass"));
  EXPECT_EQ(Text("txtTogglePercent"), "10");
  // The pointer file beside the program, and a grid that works on without it.
  EXPECT_EQ(grid->viewport()->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(grid->viewport()->cursor().hotSpot(), QPoint(7, 1));
  EXPECT_EQ(grid->viewport()->cursor().pixmap().size(), QSize(32, 32));
  fakes.shell.program_folder = "/nowhere";
  Button("cmdQuickPredict")->click();
  ASSERT_EQ(fakes.messages.messages.size(), 1u);
  EXPECT_EQ(fakes.messages.messages[0].text, "Missing icon:\r\n/nowhere/h_point.cur");
  Type(2, "1");
  EXPECT_EQ(Prediction(), ExpectedPrediction({0.31, 1}));
}

TEST_F(QuickPredictTest, EditsPredictAtOnceTextAsksForValuesAndOutOfRangeIsFlagged) {
  Start();
  Type(1, "0.5");
  Type(2, " -1.25e0 ");
  EXPECT_EQ(Prediction(), ExpectedPrediction({0.5, -1.25}));
  Type(2, QString());  // an empty cell counts as 0
  EXPECT_EQ(Prediction(), ExpectedPrediction({0.5, 0}));
  Type(2, "9");  // above delta's range: flagged
  Type(1, "abc");
  EXPECT_EQ(Prediction(), "Enter Values");
  // The marks are computed again for the rows that hold numbers.
  EXPECT_TRUE(Shown("lblWarning"));
  EXPECT_TRUE(Flagged(PredictionGrid::kMaxColumn, 2));
  Type(1, "0.1");
  EXPECT_EQ(Prediction(), ExpectedPrediction({0.1, 9}));
  // delta's limits are -2.5 and 2.5: reached, nothing is flagged.
  for (const auto& [typed, above, below] : {std::tuple{"2.5", false, false},
                                            {"2.5000001", true, false},
                                            {"-2.6", false, true},
                                            {"-2.5", false, false}}) {
    Type(2, typed);
    EXPECT_EQ(Shown("lblWarning"), above || below) << typed;
    EXPECT_EQ(Flagged(PredictionGrid::kMaxColumn, 2), above) << typed;
    EXPECT_EQ(Flagged(PredictionGrid::kMinColumn, 2), below) << typed;
  }
  EXPECT_EQ(Text("lblWarning"), "WARNING - Extrapolation !");
}

TEST_F(QuickPredictTest, TogglesStepByThePercentOfTheShownRange) {
  Start();
  Up(2);  // 10% of 5
  EXPECT_EQ(Value(2), "0.5");
  EXPECT_EQ(Prediction(), ExpectedPrediction({0.31, 0.5}));
  Down(2);
  Down(2);
  EXPECT_EQ(Value(2), "-0.5");
  // The step uses the shown Max 0.617, not the model's 0.61725.
  Up(1);
  EXPECT_EQ(Value(1), gui::ToQString(NumberText(0.31 + 0.617 * 10 / 100)));
  // A percent that is no positive number goes back to 10; 0 steps by nothing.
  auto* percent = Find<QLineEdit>("txtTogglePercent");
  for (const auto& [typed, kept, value] :
       {std::tuple{"-5", "10", "0"}, {"lots", "10", "0.5"}, {"0", "0", "0.5"}, {"50", "50", "3"}}) {
    percent->setText(QString::fromLatin1(typed));
    Up(2);
    EXPECT_EQ(percent->text(), kept);
    EXPECT_EQ(Value(2), value) << typed;
  }
  EXPECT_TRUE(Shown("lblWarning"));
  // A row whose value is no number is left alone.
  Type(1, "x");
  Up(1);
  EXPECT_EQ(Value(1), "x");
  EXPECT_EQ(Prediction(), "Enter Values");
  // Shown again, the values are rebuilt but the percent is kept.
  Button("cmdNet2Excel")->click();
  Button("cmdQuickPredict")->click();
  EXPECT_EQ(Value(1), "0.31");
  EXPECT_EQ(Text("txtTogglePercent"), "50");
}

TEST_F(QuickPredictTest, ClassifierShowsClassAndStrength) {
  Start(RoundingRecipe(/*classifier=*/true));
  EXPECT_TRUE(Shown("frameClass"));
  EXPECT_EQ(Text("lblTrueFalse"), "Class");
  EXPECT_EQ(Text("lblClassStength"), "Strength");
  for (const std::vector<double>& inputs : {std::vector<double>{0, -2.5}, {0.6, 2.5}}) {
    Type(1, gui::ToQString(NumberText(inputs[0])));
    Type(2, gui::ToQString(NumberText(inputs[1])));
    const NetworkPrediction expected = conformance::Predicted(workspace.network, inputs);
    EXPECT_EQ(Prediction(), gui::ToQString(NumberText(expected.prediction)));
    EXPECT_EQ(Text("txtClassifierTrueFalse"), gui::ToQString(expected.class_text));
    EXPECT_EQ(Text("txtClassifierPrediction"),
              QString::number(expected.strength, 'f', 3)
                  .replace(QStringLiteral("-0.000"), QStringLiteral("0.000")));
  }
  Type(2, "?");
  EXPECT_EQ(Prediction(), "Enter Values");
  EXPECT_EQ(Text("txtClassifierTrueFalse"), "?");
  EXPECT_EQ(Text("txtClassifierPrediction"), "?");
}

TEST_F(QuickPredictTest, AnUnscalableInputAndAnEmptyRange) {
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.inputs[0].max_norm = recipe.inputs[0].min_norm = 3;
  recipe.inputs[1].seen_max = recipe.inputs[1].seen_min = 0.2;
  Start(recipe);
  ASSERT_TRUE(workspace.state.network_loaded);
  EXPECT_EQ(Prediction(), "??");
  const QString before = Value(2);
  Up(2);
  EXPECT_EQ(Value(2), before);
}

// The shipped pointer is the grid's, above; a file that is no pointer is refused.
TEST_F(GuiTest, AFileThatIsNoPointerIsRefused) {
  conformance::WriteText(File("h_point.cur"), "not a pointer at all, just some text");
  EXPECT_FALSE(gui::LoadPointerFile(QString::fromStdString(File("h_point.cur"))).has_value());
}

TEST(GridNumbers, CellsTakeNumbersWithBlanksSignsAndExponentsOnly) {
  const std::pair<const char*, double> numbers[] = {
      {"12", 12.0}, {"  -0.5 ", -0.5},  {"+2", 2.0},    {".25", 0.25},
      {"3.", 3.0},  {"1.5E-3", 0.0015}, {"2e+2", 200.0}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(gui::ParseCellNumber(text), value) << text;
  for (const char* text : {"", "   ", "abc", "1,5", "1.2.3", "e5", "1e", "--1", ".", "-", "inf",
                           "nan", "1e999", "12abc", "\t1"})
    EXPECT_FALSE(gui::ParseCellNumber(text).has_value()) << '"' << text << '"';
}

// Halves away from zero, on the digits the program shows.
TEST(GridNumbers, FixedDecimalsWritesExactlyTheGivenPlaces) {
  const std::tuple<double, int, const char*> cases[] = {
      {0.0, 3, "0.000"},           {1.23456, 3, "1.235"},        {-2.5, 3, "-2.500"},
      {250000.0, 3, "250000.000"}, {-0.0001, 3, "0.000"},        {0.308625, 2, "0.31"},
      {0.125, 2, "0.13"},          {-0.125, 2, "-0.13"},         {2.675, 2, "2.68"},
      {0.0005, 3, "0.001"},        {9.9995, 3, "10.000"},        {0.004, 2, "0.00"},
      {-0.004, 2, "0.00"},         {123456789.5, 0, "123456790"}};
  for (const auto& [value, places, text] : cases)
    EXPECT_EQ(gui::FixedDecimals(value, places), text) << value;
  EXPECT_EQ(gui::RoundedTo(0.125, 2), 0.13);
  EXPECT_EQ(gui::RoundedTo(0.308625, 2), 0.31);
  EXPECT_EQ(gui::RoundedTo(1e300, 2), 1e300);
}

}  // namespace
}  // namespace kdk::testing
