#include <gtest/gtest.h>

#include <QGroupBox>
#include <QHeaderView>

#include "core/common/number_text.h"
#include "gui/common/latin1_text.h"
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

class QuickPredictTest : public ::testing::Test {
 protected:
  void Start(bool classifier = false) {
    gui.fakes.shell.command_line = gui.WriteWeights("net.kwf", RoundingRecipe(classifier));
    gui.Start();
    window = gui.QuickPredict();
    grid = window->Grid();
    ASSERT_EQ(grid->rowCount(), 2);
  }
  // What the user does: type into a Value cell.
  void Type(int row, const QString& text) {
    grid->item(row - 1, PredictionGrid::kValueColumn - 1)->setText(text);
  }
  QString Value(int row) const { return grid->CellText(PredictionGrid::kValueColumn, row); }
  QString Prediction() const { return gui.Text("txtPredicition"); }
  QString ExpectedPrediction(const std::vector<double>& inputs) const {
    return gui::ToQString(NumberText(Expected(gui.workspace.network, inputs).prediction));
  }
  void Toggle(int column, int row) { grid->ToggleButton(column, row)->click(); }

  GuiHarness gui;
  gui::QuickPredictWindow* window = nullptr;
  PredictionGrid* grid = nullptr;
};

TEST_F(QuickPredictTest, GridShowsNamesRangesAndRoundedMidpoints) {
  Start();
  EXPECT_EQ(grid->CellText(1, 1), "gamma");
  EXPECT_EQ(grid->CellText(2, 1), "0.000");
  EXPECT_EQ(grid->CellText(3, 1), "0.617");
  EXPECT_EQ(grid->CellText(2, 2), "-2.500");
  EXPECT_EQ(grid->CellText(3, 2), "2.500");
  EXPECT_EQ(Value(1), "0.31");
  EXPECT_EQ(Value(2), "0");
  // Names and ranges are not editable, values are; the toggle cells are buttons.
  EXPECT_FALSE(grid->item(0, 0)->flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(grid->item(0, 2)->flags() & Qt::ItemIsEditable);
  EXPECT_TRUE(grid->item(0, 4)->flags() & Qt::ItemIsEditable);
  EXPECT_NE(grid->ToggleButton(4, 2), nullptr);
  EXPECT_NE(grid->ToggleButton(6, 2), nullptr);
  EXPECT_EQ(grid->ToggleButton(5, 2), nullptr);

  // The first prediction uses the rounded midpoint.
  EXPECT_EQ(Prediction(), ExpectedPrediction({0.31, 0}));
  EXPECT_NE(Prediction(), ExpectedPrediction({0.308625, 0}));
  EXPECT_FALSE(gui.Shown("frameClass"));
  EXPECT_EQ(gui.Text("txtTogglePercent"), "10");
}

TEST_F(QuickPredictTest, EditsPredictAtOnceAndTextAsksForValues) {
  Start();
  Type(1, QStringLiteral("0.5"));
  Type(2, QStringLiteral(" -1.25e0 "));
  EXPECT_EQ(Prediction(), ExpectedPrediction({0.5, -1.25}));

  Type(2, QString());  // an empty cell counts as 0
  EXPECT_EQ(Prediction(), ExpectedPrediction({0.5, 0}));

  Type(2, QStringLiteral("9"));  // above delta's range: flagged
  EXPECT_TRUE(gui.Shown("lblWarning"));
  Type(1, QStringLiteral("abc"));
  EXPECT_EQ(Prediction(), "Enter Values");
  // The marks are computed again for the rows that hold numbers.
  EXPECT_TRUE(gui.Shown("lblWarning"));
  EXPECT_TRUE(grid->IsEmphasised(PredictionGrid::kMaxColumn, 2));

  Type(1, QStringLiteral("0.1"));
  EXPECT_EQ(Prediction(), ExpectedPrediction({0.1, 9}));
}

TEST_F(QuickPredictTest, ValuesOutsideTheTrainingRangeAreFlagged) {
  Start();
  const double delta_max = gui.workspace.network.max_seen[1];
  ASSERT_EQ(delta_max, 2.5);
  Type(2, QStringLiteral("2.5"));  // equal to the limit: not flagged
  EXPECT_FALSE(gui.Shown("lblWarning"));
  EXPECT_FALSE(grid->IsEmphasised(PredictionGrid::kMaxColumn, 2));
  Type(2, QStringLiteral("2.5000001"));
  EXPECT_TRUE(gui.Shown("lblWarning"));
  EXPECT_EQ(gui.Text("lblWarning"), "WARNING - Extrapolation !");
  EXPECT_TRUE(grid->IsEmphasised(PredictionGrid::kMaxColumn, 2));
  EXPECT_FALSE(grid->IsEmphasised(PredictionGrid::kMinColumn, 2));
  Type(2, QStringLiteral("-2.6"));
  EXPECT_TRUE(grid->IsEmphasised(PredictionGrid::kMinColumn, 2));
  EXPECT_FALSE(grid->IsEmphasised(PredictionGrid::kMaxColumn, 2));
  Type(2, QStringLiteral("-2.5"));
  EXPECT_FALSE(gui.Shown("lblWarning"));
  EXPECT_FALSE(grid->IsEmphasised(PredictionGrid::kMinColumn, 2));
}

TEST_F(QuickPredictTest, TogglesStepByThePercentOfTheShownRange) {
  Start();
  Toggle(PredictionGrid::kToggleUpColumn, 2);  // 10% of 5
  EXPECT_EQ(Value(2), "0.5");
  EXPECT_EQ(Prediction(), ExpectedPrediction({0.31, 0.5}));
  Toggle(PredictionGrid::kToggleDownColumn, 2);
  Toggle(PredictionGrid::kToggleDownColumn, 2);
  EXPECT_EQ(Value(2), "-0.5");

  // The step uses the shown Max 0.617, not the model's 0.61725.
  Toggle(PredictionGrid::kToggleUpColumn, 1);
  EXPECT_EQ(Value(1), gui::ToQString(NumberText(0.31 + 0.617 * 10 / 100)));

  auto* percent = gui.Find<QLineEdit>("txtTogglePercent");
  percent->setText(QStringLiteral("-5"));
  Toggle(PredictionGrid::kToggleUpColumn, 2);
  EXPECT_EQ(percent->text(), "10");
  EXPECT_EQ(Value(2), "0");
  percent->setText(QStringLiteral("lots"));
  Toggle(PredictionGrid::kToggleUpColumn, 2);
  EXPECT_EQ(percent->text(), "10");
  EXPECT_EQ(Value(2), "0.5");
  percent->setText(QStringLiteral("0"));
  Toggle(PredictionGrid::kToggleUpColumn, 2);
  EXPECT_EQ(Value(2), "0.5");
  percent->setText(QStringLiteral("50"));
  Toggle(PredictionGrid::kToggleUpColumn, 2);
  EXPECT_EQ(Value(2), "3");
  EXPECT_TRUE(gui.Shown("lblWarning"));

  // A row whose value is no number is left alone.
  Type(1, QStringLiteral("x"));
  Toggle(PredictionGrid::kToggleUpColumn, 1);
  EXPECT_EQ(Value(1), "x");
  EXPECT_EQ(Prediction(), "Enter Values");
}

TEST_F(QuickPredictTest, ARowWithEqualMinAndMaxDoesNotMove) {
  gui.fakes.shell.command_line = [&] {
    WeightsFileRecipe recipe = SmallNetworkRecipe();
    recipe.inputs[1].seen_max = 0.2;
    recipe.inputs[1].seen_min = 0.2;
    return gui.WriteWeights("flat.kwf", recipe);
  }();
  gui.Start();
  grid = gui.QuickPredict()->Grid();
  const QString before = grid->CellText(PredictionGrid::kValueColumn, 2);
  grid->ToggleButton(PredictionGrid::kToggleUpColumn, 2)->click();
  EXPECT_EQ(grid->CellText(PredictionGrid::kValueColumn, 2), before);
}

TEST_F(QuickPredictTest, ClassifierShowsClassAndStrength) {
  Start(/*classifier=*/true);
  EXPECT_TRUE(gui.Shown("frameClass"));
  EXPECT_EQ(gui.Text("lblTrueFalse"), "Class");
  EXPECT_EQ(gui.Text("lblClassStength"), "Strength");
  for (const std::vector<double>& inputs :
       {std::vector<double>{0, -2.5}, std::vector<double>{0.6, 2.5}}) {
    Type(1, gui::ToQString(NumberText(inputs[0])));
    Type(2, gui::ToQString(NumberText(inputs[1])));
    const NetworkPrediction expected = Expected(gui.workspace.network, inputs);
    EXPECT_EQ(Prediction(), gui::ToQString(NumberText(expected.prediction)));
    EXPECT_EQ(gui.Text("txtClassifierTrueFalse"), gui::ToQString(expected.class_text));
    EXPECT_EQ(gui.Text("txtClassifierPrediction"),
              QString::number(expected.strength, 'f', 3)
                  .replace(QStringLiteral("-0.000"), QStringLiteral("0.000")));
  }
  Type(2, QStringLiteral("?"));
  EXPECT_EQ(Prediction(), "Enter Values");
  EXPECT_EQ(gui.Text("txtClassifierTrueFalse"), "?");
  EXPECT_EQ(gui.Text("txtClassifierPrediction"), "?");
}

TEST_F(QuickPredictTest, ActivationRebuildsValuesButKeepsTheTogglePercent) {
  Start();
  Type(1, QStringLiteral("0.9"));
  gui.Find<QLineEdit>("txtTogglePercent")->setText(QStringLiteral("25"));
  gui.Button("cmdNet2Excel")->click();
  gui.Button("cmdQuickPredict")->click();
  EXPECT_EQ(Value(1), "0.31");
  EXPECT_EQ(gui.Text("txtTogglePercent"), "25");
  EXPECT_EQ(gui.window->windowTitle(), "Kestrium >> QuickPredict");
  EXPECT_TRUE(gui.WidthIs(8500));
}

TEST_F(QuickPredictTest, GridUsesThePointerFileBesideTheProgram) {
  Start();
  EXPECT_TRUE(gui.fakes.messages.messages.empty());
  EXPECT_EQ(grid->viewport()->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(grid->viewport()->cursor().hotSpot(), QPoint(7, 1));

  gui.fakes.shell.program_folder = "/nowhere";
  gui.Button("cmdQuickPredict")->click();
  ASSERT_EQ(gui.fakes.messages.messages.size(), 1u);
  EXPECT_EQ(gui.fakes.messages.messages[0].text, "Missing icon:\r\n/nowhere/h_point.cur");
  // The grid works on without it.
  Type(2, QStringLiteral("1"));
  EXPECT_EQ(Prediction(), ExpectedPrediction({0.31, 1}));
}

TEST_F(QuickPredictTest, AnInputThatCannotBeScaledIsReportedNotCrashed) {
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.inputs[0].max_norm = recipe.inputs[0].min_norm = 3;
  gui.fakes.shell.command_line = gui.WriteWeights("flat.kwf", recipe);
  gui.Start();
  ASSERT_TRUE(gui.workspace.state.network_loaded);
  ASSERT_FALSE(gui.fakes.messages.messages.empty());
  EXPECT_NE(gui.fakes.messages.messages.back().text.find("alpha"), std::string::npos);
  EXPECT_EQ(gui.Text("txtPredicition"), "??");
}

}  // namespace
}  // namespace kdk::testing
