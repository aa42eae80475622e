#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QTimer>

#include "gui/common/latin1_text.h"
#include "support/gui_harness.h"

namespace kdk::testing {
namespace {

TEST(ControlPanel, SwitchingModelTypeHidesButtonsUntilTheNextLoad) {
  GuiHarness gui;
  const std::string path = gui.WriteWeights("small.kwf", SmallNetworkRecipe());
  gui.fakes.shell.command_line = path;
  gui.Start();
  auto* list = gui.Find<QComboBox>("cmbWhichSoftware");
  ASSERT_TRUE(gui.Shown("cmdNet2Code"));

  list->setCurrentIndex(1);
  EXPECT_EQ(gui.workspace.state.model_type, kMarsModelType);
  EXPECT_TRUE(gui.Shown("frameMARS"));
  EXPECT_FALSE(gui.Shown("frameKestrium"));
  EXPECT_EQ(gui.Text("lblFileName"), "No model file loaded");
  EXPECT_EQ(gui.Text("lblWhat"), "");
  EXPECT_TRUE(gui.ShownConverterWindows().empty());
  EXPECT_EQ(gui.window->windowTitle(), "Kestrium Model Converter");
  // The network stays loaded, with its path.
  EXPECT_TRUE(gui.workspace.state.network_loaded);
  EXPECT_EQ(gui.workspace.state.model_path, path);
  EXPECT_TRUE(gui.HeightIs(9000));

  list->setCurrentIndex(0);
  EXPECT_EQ(gui.workspace.state.model_type, kNetworkModelType);
  EXPECT_TRUE(gui.Shown("frameKestrium"));
  for (const char* name : {"cmdNet2Excel", "cmdNet2VB", "cmdNet2HTML", "cmdNet2Code", "cmdNet2SQL",
                           "cmdQuickPredict", "cmdMARS2SQL"}) {
    EXPECT_FALSE(gui.Shown(name)) << name;
  }

  // Loading again brings the network buttons back.
  gui.fakes.file_dialogs.answers = {path};
  gui.Button("cmdLoadKestrium")->click();
  EXPECT_TRUE(gui.Shown("cmdNet2Code"));
  EXPECT_TRUE(gui.Shown("cmdQuickPredict"));
  EXPECT_FALSE(gui.Shown("cmdMARS2SQL"));
  EXPECT_EQ(gui.Text("lblFileName"), gui::PathToQString("Model = " + path + "   "));
}

TEST(ControlPanel, PickingTheEntryAlreadyChosenChangesNothing) {
  GuiHarness gui;
  gui.fakes.shell.command_line = gui.WriteWeights("small.kwf", SmallNetworkRecipe());
  gui.Start();
  gui.window->setWindowTitle(QStringLiteral("kept"));
  gui.window->Panel()->SwitchModelType(QStringLiteral("KESTRIUM"));
  EXPECT_EQ(gui.ShownConverterWindows(), std::vector<std::string>{"frmQuickPredict"});
  EXPECT_TRUE(gui.Shown("cmdQuickPredict"));
  EXPECT_EQ(gui.window->windowTitle(), "kept");
  EXPECT_EQ(gui.Text("lblWhat"), "Predict");
}

struct LaunchRow {
  const char* button;
  const char* what;
  const char* window;
};

TEST(ControlPanel, LaunchTableShowsOneWindowAndNamesIt) {
  GuiHarness gui;
  gui.fakes.shell.command_line = gui.WriteWeights("small.kwf", SmallNetworkRecipe());
  gui.Start();
  gui.window->Panel()->ShowMarsButtons();
  gui.Find("frameMARS")->show();  // both frames' buttons reachable for the test
  const LaunchRow rows[] = {
      {"cmdQuickPredict", "Predict", "frmQuickPredict"},
      {"cmdNet2Code", "Code", "CodeExportWindow"},
      {"cmdNet2Excel", "EXCEL", "frmEXCEL"},
      {"cmdNet2HTML", "WEB", "frmHTML"},
      {"cmdNet2VB", "VB", "frmVB"},
      {"cmdNet2SQL", "SQL", "frmNet2SQL"},
      {"cmdMARS2HTML", "WEB", "frmMARS2HTML"},
      {"cmdMARS2SPSS", "SPSS", "frmMARS2SPSS"},
      {"cmdMARS2SQL", "SQL", "frmMARS2tsql"},
      {"cmdMARS2VB", "VB", "frmMARS2VB"},
      {"cmdMARS2XL", "EXCEL", "frmMARS2XL"},
  };
  for (const LaunchRow& row : rows) {
    SCOPED_TRACE(row.button);
    gui.Button(row.button)->click();
    EXPECT_EQ(gui.Text("lblWhat"), QString::fromLatin1(row.what));
    EXPECT_EQ(gui.ShownConverterWindows(), std::vector<std::string>{row.window});
    // The window placed itself just below the panel.
    QWidget* shown = gui.window->ConverterWindow(QString::fromLatin1(row.window));
    EXPECT_EQ(gui.window->FrameOf(shown)->pos(), QPoint(0, gui::TwipsToPixels(1260)));
  }
  gui.Button("cmdNet2Excel")->click();
  EXPECT_EQ(gui.window->windowTitle(), "Kestrium >> Excel");
}

TEST(ControlPanel, LaunchKestriumStartsTheProgramOrSaysItIsMissing) {
  GuiHarness gui;
  gui.fakes.shell.program_folder = "/opt/kdk";
  const std::string path = gui.WriteWeights("my model.kwf", SmallNetworkRecipe());
  gui.fakes.file_dialogs.answers = {path};
  gui.Start();
  gui.fakes.messages.messages.clear();  // the pointer file is not in /opt/kdk

  gui.Button("cmdLaunchKestrium")->click();
  // The path goes unquoted, blanks and all.
  ASSERT_EQ(gui.fakes.shell.started.size(), 1u);
  EXPECT_EQ(gui.fakes.shell.started[0], "/opt/kdk/kestrium.exe|" + path);
  ASSERT_EQ(gui.fakes.messages.messages.size(), 1u);
  const RecordedMessage& message = gui.fakes.messages.messages[0];
  EXPECT_EQ(message.text, "Can't find the Kestrium executable: \r\n/opt/kdk/kestrium.exe");
  EXPECT_EQ(message.icon, MessageIcon::Critical);
  EXPECT_EQ(message.buttons, MessageButtons::Ok);
  EXPECT_EQ(message.title, "Kestrium Development Kit");

  gui.fakes.shell.program_exists = true;
  gui.workspace.state.model_path = "   ";
  gui.Button("cmdLaunchKestrium")->click();
  EXPECT_EQ(gui.fakes.shell.started.at(1), "/opt/kdk/kestrium.exe|");
  EXPECT_EQ(gui.fakes.messages.messages.size(), 1u);
}

// Answers the MARS source dialog, once it is up, with the named button.
void AnswerSourceDialog(const char* button) {
  QTimer::singleShot(0, [button] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->objectName(), "frmGetMarsSourceDataType");
    dialog->findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
  });
}

TEST(ControlPanel, MarsLoadShowsTheMarsButtonsAndNamesTheModel) {
  GuiHarness gui;
  gui.Start();
  gui.Find<QComboBox>("cmbWhichSoftware")->setCurrentIndex(1);
  AnswerSourceDialog("cmdCancel");
  gui.Button("cmdLoadMars")->click();
  EXPECT_FALSE(gui.Shown("cmdMARS2SQL"));
  EXPECT_EQ(gui.Text("lblFileName"), "No model file loaded");

  const std::string path = gui.CopyExample("house_value_mars.txt", "mars rules.txt");
  gui.fakes.file_dialogs.answers = {path};
  AnswerSourceDialog("cmdRulesFile");
  gui.Button("cmdLoadMars")->click();
  ASSERT_TRUE(gui.workspace.state.mars_loaded);
  for (const char* name :
       {"cmdMARS2HTML", "cmdMARS2SPSS", "cmdMARS2SQL", "cmdMARS2VB", "cmdMARS2XL"}) {
    EXPECT_TRUE(gui.Shown(name)) << name;
  }
  EXPECT_EQ(gui.Text("lblFileName"), gui::PathToQString("Model = " + path + "   "));
}

TEST(ControlPanel, RefreshVisibleMarsWindowRebuildsOnlyTheFirstVisibleOne) {
  GuiHarness gui;
  gui.Start();
  gui.Find<QComboBox>("cmbWhichSoftware")->setCurrentIndex(1);
  gui.window->ShowConverterWindow(QStringLiteral("frmMARS2HTML"));
  gui.window->FrameOf(gui.window->ConverterWindow(QStringLiteral("frmMARS2SPSS")))->show();
  gui.window->setWindowTitle(QStringLiteral("before"));
  gui.window->Panel()->RefreshVisibleMarsWindow();
  // frmMARS2SPSS comes before frmMARS2HTML in the order looked at.
  EXPECT_EQ(gui.window->windowTitle(), "MARS >> SPSS");

  gui.window->HideConverterWindows();
  gui.window->setWindowTitle(QStringLiteral("before"));
  gui.window->Panel()->RefreshVisibleMarsWindow();
  EXPECT_EQ(gui.window->windowTitle(), "before");
}

TEST(ControlPanel, LoadingWhileTheGridIsShownRebuildsItForTheNewNetwork) {
  GuiHarness gui;
  gui.fakes.shell.command_line = gui.WriteWeights("small.kwf", SmallNetworkRecipe());
  gui.Start();
  ASSERT_EQ(gui.QuickPredict()->Grid()->rowCount(), 2);

  gui.fakes.file_dialogs.answers = {""};
  gui.Button("cmdLoadKestrium")->click();  // cancelled: nothing changes
  EXPECT_EQ(gui.QuickPredict()->Grid()->rowCount(), 2);
  EXPECT_TRUE(gui.Shown("cmdQuickPredict"));

  gui.fakes.file_dialogs.answers = {gui.CopyExample("loan_default.kwf", "loan.kwf")};
  gui.Button("cmdLoadKestrium")->click();
  EXPECT_EQ(gui.QuickPredict()->Grid()->rowCount(), 4);
  EXPECT_EQ(gui.QuickPredict()->Grid()->item(1, 0)->text(),
            gui::ToQString(gui.workspace.network.input_names[1]));
  EXPECT_TRUE(gui.Shown("frameClass"));
}

}  // namespace
}  // namespace kdk::testing
