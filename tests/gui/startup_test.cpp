#include <gtest/gtest.h>

#include <cmath>

#include "core/common/number_text.h"
#include "gui/common/latin1_text.h"
#include "gui/shell/window_geometry.h"
#include "support/gui_harness.h"

namespace kdk::testing {
namespace {

const char* const kNetworkButtons[] = {"cmdNet2Excel", "cmdNet2VB", "cmdNet2HTML", "cmdNet2Code",
                                       "cmdQuickPredict"};

TEST(StartUp, WithAWeightsFileOnTheCommandLineShowsTheGridWithALivePrediction) {
  GuiHarness gui;
  const std::string path = gui.CopyExample("house_price.kwf", "house price.kwf");
  gui.fakes.shell.command_line = "\"" + path + "\"";
  gui.Start();

  EXPECT_TRUE(gui.fakes.file_dialogs.open_requests.empty());
  ASSERT_TRUE(gui.workspace.state.network_loaded);
  EXPECT_EQ(gui.workspace.state.model_name, "house_price");
  EXPECT_EQ(gui.Text("lblFileName"), gui::PathToQString("Model = " + path + "   "));
  for (const char* button : kNetworkButtons) EXPECT_TRUE(gui.Shown(button)) << button;
  EXPECT_TRUE(gui.Shown("cmdLaunchKestrium"));
  EXPECT_EQ(gui.ShownConverterWindows(), std::vector<std::string>{"frmQuickPredict"});
  EXPECT_EQ(gui.Text("lblWhat"), "Predict");
  // The panel's start-up ends with the main window reset: caption and 12000 x 9000.
  EXPECT_EQ(gui.window->windowTitle(), "Kestrium Model Converter");
  EXPECT_TRUE(gui.WidthIs(12000)) << gui.window->width();
  EXPECT_TRUE(gui.HeightIs(9000)) << gui.window->height();
  EXPECT_EQ(gui.window->pos(), QPoint(0, 0));
  EXPECT_TRUE(gui.window->FrameOf(gui.window->Panel())->isVisible());

  // The prediction shown is EvaluateNetwork's at the midpoints rounded to 2 places.
  const NetworkModel& model = gui.workspace.network;
  std::vector<double> midpoints;
  for (int i = 0; i < model.InputCount(); ++i) {
    const double middle = (model.max_seen[i] + model.min_seen[i]) / 2;
    midpoints.push_back(std::round(middle * 100) / 100);
  }
  EXPECT_EQ(gui.Text("txtPredicition"),
            gui::ToQString(NumberText(Expected(model, midpoints).prediction)));
  EXPECT_TRUE(gui.fakes.messages.messages.empty());
}

TEST(StartUp, WithoutACommandLineAsksForAFileBeforeTheWindowAppears) {
  GuiHarness gui;
  gui.Start(/*show=*/false);
  ASSERT_EQ(gui.fakes.file_dialogs.open_requests.size(), 1u);
  EXPECT_EQ(gui.fakes.file_dialogs.open_requests[0].title, "Select the Kestrium weights file...");
  EXPECT_FALSE(gui.window->isVisible());

  // Cancelled: no converter buttons, the short main window, nothing loaded.
  EXPECT_FALSE(gui.workspace.state.network_loaded);
  for (const char* button : kNetworkButtons) EXPECT_FALSE(gui.Shown(button)) << button;
  EXPECT_TRUE(gui.ShownConverterWindows().empty());
  EXPECT_TRUE(gui.HeightIs(2210)) << gui.window->height();
  EXPECT_TRUE(gui.WidthIs(12000)) << gui.window->width();
  EXPECT_EQ(gui.Text("lblFileName"), "No model file loaded");
  EXPECT_EQ(gui.Text("lblWhat"), "");
  EXPECT_TRUE(gui.Shown("frameKestrium"));
  EXPECT_FALSE(gui.Shown("frameMARS"));
  EXPECT_TRUE(gui.fakes.messages.messages.empty());
}

TEST(StartUp, AFileChosenInTheDialogOpensTheGrid) {
  GuiHarness gui;
  gui.fakes.file_dialogs.answers = {gui.WriteWeights("small.kwf", SmallNetworkRecipe())};
  gui.Start();
  EXPECT_TRUE(gui.workspace.state.network_loaded);
  EXPECT_EQ(gui.ShownConverterWindows(), std::vector<std::string>{"frmQuickPredict"});
  EXPECT_EQ(gui.QuickPredict()->Grid()->rowCount(), 2);
}

TEST(StartUp, ACorruptCommandLineFileIsReportedAndLeavesNoButtons) {
  GuiHarness gui;
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.header = "\"source\",\"view\",#MAYBE#";
  gui.fakes.shell.command_line = gui.WriteWeights("bad.kwf", recipe);
  gui.Start();
  ASSERT_EQ(gui.fakes.messages.messages.size(), 1u);
  EXPECT_NE(gui.fakes.messages.messages[0].text.find("This file is corrupted."), std::string::npos);
  EXPECT_FALSE(gui.workspace.state.network_loaded);
  EXPECT_FALSE(gui.Shown("cmdQuickPredict"));
  EXPECT_TRUE(gui.ShownConverterWindows().empty());
}

// The command line's edge cases are command_line_test's; here the wiring: a switch
// after the file still loads it, and hides the launch button.
TEST(StartUp, ASwitchAfterTheFileLoadsItAndHidesTheLaunchButton) {
  GuiHarness gui;
  const std::string path = gui.WriteWeights("Loan Book.KWF", SmallNetworkRecipe());
  gui.fakes.shell.command_line = path + " /nosplash";
  gui.Start();
  EXPECT_TRUE(gui.workspace.state.network_loaded);
  EXPECT_TRUE(gui.fakes.file_dialogs.open_requests.empty());
  EXPECT_FALSE(gui.Shown("cmdLaunchKestrium"));
  EXPECT_EQ(gui.workspace.state.model_name, "Loan_Book");
}

}  // namespace
}  // namespace kdk::testing
