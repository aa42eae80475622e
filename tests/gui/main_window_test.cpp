// The desktop program as started: start-up, the main window and the control panel.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTimer>

#include "gui/common/latin1_text.h"
#include "gui/export/code/code_export_window.h"
#include "gui/shell/window_geometry.h"
#include "support/gui_harness.h"

namespace kdk::testing {
namespace {

using gui::TwipsToPixels;

const char* const kNetworkButtons[] = {"cmdNet2Excel", "cmdNet2VB",  "cmdNet2HTML",
                                       "cmdNet2Code",  "cmdNet2SQL", "cmdQuickPredict"};
const char* const kMarsButtons[] = {"cmdMARS2HTML", "cmdMARS2SPSS", "cmdMARS2SQL", "cmdMARS2VB",
                                    "cmdMARS2XL"};

QString ModelLabel(const std::string& path) {
  return gui::PathToQString("Model = " + path + "   ");
}

TEST(StartUp, WithAWeightsFileOnTheCommandLineShowsTheGrid) {
  GuiHarness gui;
  const std::string path = gui.CopyExample("house_price.kwf", "house price.kwf");
  gui.fakes.shell.command_line = "\"" + path + "\"";
  gui.Start();
  EXPECT_TRUE(gui.fakes.file_dialogs.open_requests.empty());
  EXPECT_EQ(gui.workspace.state.model_name, "house_price");
  EXPECT_EQ(gui.Text("lblFileName"), ModelLabel(path));
  for (const char* button : kNetworkButtons) EXPECT_TRUE(gui.Shown(button)) << button;
  EXPECT_TRUE(gui.Shown("cmdLaunchKestrium"));
  EXPECT_EQ(gui.ShownConverterWindows(), std::vector<std::string>{"frmQuickPredict"});
  EXPECT_EQ(gui.Text("lblWhat"), "Predict");
  // Start-up ends with the main window reset: caption and 12000 x 9000 at the top left.
  EXPECT_EQ(gui.window->windowTitle(), "Kestrium Model Converter");
  EXPECT_TRUE(gui.WidthIs(12000) && gui.HeightIs(9000)) << gui.window->width();
  EXPECT_EQ(gui.window->pos(), QPoint(0, 0));
  EXPECT_TRUE(gui.window->FrameOf(gui.window->Panel())->isVisible());
  EXPECT_TRUE(gui.fakes.messages.messages.empty());
}

TEST(StartUp, WithoutACommandLineAsksForAFileBeforeTheWindowAppears) {
  GuiHarness gui;
  gui.Start(/*show=*/false);
  EXPECT_EQ(gui.fakes.file_dialogs.open_requests.at(0).title,
            "Select the Kestrium weights file...");
  EXPECT_FALSE(gui.window->isVisible());
  // Cancelled: no converter buttons, the short main window, nothing loaded.
  EXPECT_FALSE(gui.workspace.state.network_loaded);
  for (const char* button : kNetworkButtons) EXPECT_FALSE(gui.Shown(button)) << button;
  EXPECT_TRUE(gui.ShownConverterWindows().empty());
  EXPECT_TRUE(gui.WidthIs(12000) && gui.HeightIs(2210)) << gui.window->height();
  EXPECT_EQ(gui.Text("lblFileName"), "No model file loaded");
  EXPECT_EQ(gui.Text("lblWhat"), "");
  EXPECT_TRUE(gui.Shown("frameKestrium"));
  EXPECT_FALSE(gui.Shown("frameMARS"));
  EXPECT_TRUE(gui.fakes.messages.messages.empty());
}

TEST(StartUp, ACorruptCommandLineFileIsReportedAndLeavesNoButtons) {
  GuiHarness gui;
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.header = "\"source\",\"view\",#MAYBE#";
  gui.StartWith(recipe);
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
  gui.fakes.shell.command_line =
      gui.WriteWeights("Loan Book.KWF", SmallNetworkRecipe()) + " /nosplash";
  gui.Start();
  EXPECT_TRUE(gui.workspace.state.network_loaded);
  EXPECT_TRUE(gui.fakes.file_dialogs.open_requests.empty());
  EXPECT_FALSE(gui.Shown("cmdLaunchKestrium"));
  EXPECT_EQ(gui.workspace.state.model_name, "Loan_Book");
}

// Every menu item and launch button shows its window alone, just below the panel (the
// equation view at the top left), with its caption; a button also names it.
TEST(MainWindow, MenuItemsAndButtonsShowTheirWindowAlone) {
  GuiHarness gui;
  gui.StartWith();
  gui.window->Panel()->ShowMarsButtons();
  gui.Find("frameMARS")->show();  // both frames' buttons reachable for the test
  struct Launch {
    const char *trigger, *window, *caption, *what;
  };
  const Launch launches[] = {
      {"cmdQuickPredict", "frmQuickPredict", "Kestrium >> QuickPredict", "Predict"},
      {"cmdNet2Code", "CodeExportWindow", "Kestruim >> SAS/Equation", "Code"},
      {"cmdNet2Excel", "frmEXCEL", "Kestrium >> Excel", "EXCEL"},
      {"cmdNet2HTML", "frmHTML", "Kestrium >> Web Page", "WEB"},
      {"cmdNet2VB", "frmVB", "Kestrium >> Visual Basic 6 Project", "VB"},
      {"cmdNet2SQL", "frmNet2SQL", "Kestrium >> SQL", "SQL"},
      {"cmdMARS2HTML", "frmMARS2HTML", "MARS >> Web Page", "WEB"},
      {"cmdMARS2SPSS", "frmMARS2SPSS", "MARS >> SPSS", "SPSS"},
      {"cmdMARS2SQL", "frmMARS2tsql", "MARS >> SQL", "SQL"},
      {"cmdMARS2VB", "frmMARS2VB", "MARS >> Visual Basic 6 Project", "VB"},
      {"cmdMARS2XL", "frmMARS2XL", "MARS >> Excel", "EXCEL"},
      {"mnuNewFilehtmlJS", "frmHTML", "Kestrium >> Web Page", nullptr},
      {"mnuNewFileexcel", "frmEXCEL", "Kestrium >> Excel", nullptr},
      {"mnuNewFilevbProject", "frmVB", "Kestrium >> Visual Basic 6 Project", nullptr},
      {"mnuEquation", "frmEquation", "Code", nullptr},
      {"mnuNewFileMARSxlProject", "frmMARS2XL", "MARS >> Excel", nullptr},
      {"mnuNewFileMARSvbProject", "frmMARS2VB", "MARS >> Visual Basic 6 Project", nullptr},
      {"mnuNewFileMarsTSQL", "frmMARS2tsql", "MARS >> SQL", nullptr},
      {"mnuNewFileMARSSPSS", "frmMARS2SPSS", "MARS >> SPSS", nullptr},
      {"mnuNewFileMARSHTML", "frmMARS2HTML", "MARS >> Web Page", nullptr},
  };
  for (const Launch& launch : launches) {
    SCOPED_TRACE(launch.trigger);
    if (launch.what != nullptr) {
      gui.Button(launch.trigger)->click();
      EXPECT_EQ(gui.Text("lblWhat"), QString::fromLatin1(launch.what));
    } else {
      gui.Find<QAction>(launch.trigger)->trigger();
    }
    EXPECT_EQ(gui.ShownConverterWindows(), std::vector<std::string>{launch.window});
    EXPECT_EQ(gui.window->windowTitle(), QString::fromLatin1(launch.caption));
    QWidget* shown = gui.window->ConverterWindow(QString::fromLatin1(launch.window));
    const int top = std::string(launch.window) == "frmEquation" ? 0 : 1260;
    EXPECT_EQ(gui.window->FrameOf(shown)->pos(), QPoint(0, TwipsToPixels(top)));
  }
  // The windows whose output box the main window limits are made very large.
  for (const char* name : gui::kOutputBoxWindowNames) {
    QWidget* window = gui.window->ConverterWindow(QString::fromLatin1(name));
    EXPECT_EQ(window->size(), QSize(TwipsToPixels(50000), TwipsToPixels(50000))) << name;
  }
}

TEST(MainWindow, PlacingAWindowSizesMainWindowAndPanelByModelType) {
  GuiHarness gui;
  gui.Start();
  QWidget* excel = gui.window->ConverterWindow(QStringLiteral("frmEXCEL"));
  gui.workspace.state.model_type = kNetworkModelType;
  gui.window->PlaceConverterWindow(excel, QStringLiteral("one"), 0);
  EXPECT_TRUE(gui.WidthIs(8500));
  EXPECT_EQ(gui.window->Panel()->width(), TwipsToPixels(8500));
  gui.workspace.state.model_type = kMarsModelType;
  gui.window->PlaceConverterWindow(excel, QStringLiteral("two"), -5);
  EXPECT_TRUE(gui.WidthIs(12000));
  gui.window->PlaceConverterWindow(excel, QStringLiteral("three"), 6000);
  EXPECT_TRUE(gui.WidthIs(6000));
  EXPECT_EQ(gui.window->Panel()->width(), TwipsToPixels(6000));
  EXPECT_EQ(gui.window->windowTitle(), "three");
  // Out of the normal state only the panel follows.
  gui.window->setWindowState(Qt::WindowMaximized);
  const int maximised_width = gui.window->width();
  gui.window->PlaceConverterWindow(excel, QStringLiteral("four"), 9000);
  EXPECT_EQ(gui.window->width(), maximised_width);
  EXPECT_EQ(gui.window->Panel()->width(), TwipsToPixels(9000));
}

TEST(MainWindow, HidingWindowsMakesTheWindowTallOnlyOnceAModelTypeIsSet) {
  GuiHarness gui;
  gui.Start();  // cancelled start-up: 2210 twips high
  gui.workspace.state.model_type.reset();
  gui.window->HideConverterWindows();
  EXPECT_TRUE(gui.HeightIs(2210));
  gui.workspace.state.model_type = kMarsModelType;
  gui.window->HideConverterWindows();
  EXPECT_TRUE(gui.HeightIs(9000));
  gui.window->resize(300, 200);
  gui.window->ResetMainWindow();
  EXPECT_TRUE(gui.WidthIs(12000) && gui.HeightIs(2210));  // still no model path
  gui.workspace.state.model_path = "/models/x.kwf";
  gui.window->ResetMainWindow();
  EXPECT_TRUE(gui.HeightIs(9000));
}

TEST(MainWindow, AboutMarsOpensTheMakersSiteAndWebPageItemItsAddress) {
  GuiHarness gui;
  gui.Start();
  gui.Find<QAction>("mnuHelpContents")->trigger();
  gui.Find<QAction>("mnuHelpSearchForHelpOn")->trigger();
  EXPECT_TRUE(gui.fakes.shell.opened.empty());
  gui.Find<QAction>("mnuKestriumWebPage")->trigger();
  EXPECT_EQ(gui.fakes.shell.opened, std::vector<std::string>{gui::MainWindow::kWebPageAddress});
  EXPECT_EQ(gui.fakes.shell.last_working_folder, gui.fakes.shell.program_folder);
  QString caption;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle();
    box->findChild<QAbstractButton*>(QStringLiteral("cmdWebSite"))->click();
    box->findChild<QAbstractButton*>(QStringLiteral("cmdOK"))->click();
  });
  gui.Find<QAction>("mnuAboutMARS")->trigger();
  EXPECT_EQ(caption, "About MARS");
  EXPECT_EQ(gui.fakes.shell.opened.size(), 2u);
}

TEST(WindowGeometry, OutputBoxAndGridSizesFollowTheAvailableAreaWithMinimums) {
  // Limited by the main window, by the window itself, and by the minimums.
  EXPECT_EQ(gui::OutputBoxSize(12000, 9000, 50000, 50000, 120, 600), QSize(11380, 7400));
  EXPECT_EQ(gui::OutputBoxSize(12000, 7740, 50000, 50000, 120, 600), QSize(11380, 6270));
  EXPECT_EQ(gui::OutputBoxSize(30000, 20000, 9000, 10000, 120, 600), QSize(8380, 8400));
  EXPECT_EQ(gui::OutputBoxSize(100, 100, 50000, 50000, 120, 600), QSize(5000, 6270));
  EXPECT_EQ(gui::GridHeight(7740, 7740, 1020), 5820);
  EXPECT_EQ(gui::GridHeight(5000, 7740, 1020), 3080);
  EXPECT_EQ(gui::GridHeight(300, 7740, 1020), 100);
}

TEST(MainWindow, ResizingFitsTheOutputBoxAndTheGrid) {
  GuiHarness gui;
  gui.StartWith();
  QWidget* grid = gui.QuickPredict()->Grid();
  const std::pair<int, int> grid_heights[] = {{9000, 7740 - 1020 - 900},
                                              {5000, 5000 - 1260 - 1020 - 900}};
  for (const auto& [height, grid_height] : grid_heights) {
    gui.window->resize(TwipsToPixels(12000), TwipsToPixels(height));
    QApplication::processEvents();
    EXPECT_EQ(grid->height(), TwipsToPixels(grid_height));
  }
  gui.window->resize(60, 40);
  QApplication::processEvents();
  EXPECT_EQ(grid->height(), TwipsToPixels(100));

  gui.Button("cmdNet2Code")->click();
  QWidget* code = gui.window->ConverterWindow(QStringLiteral("CodeExportWindow"));
  QWidget* box = dynamic_cast<gui::CodeExportWindow*>(code)->OutputBox();
  for (int height : {9000, 6000, 15000}) {
    gui.window->resize(TwipsToPixels(12000), TwipsToPixels(height));
    QApplication::processEvents();
    QApplication::processEvents();
    const QPoint offset = box->mapTo(code, QPoint(0, 0));
    const QSize expected = gui::OutputBoxSize(
        12000, height - 1260, gui::PixelsToTwips(code->width()), gui::PixelsToTwips(code->height()),
        gui::PixelsToTwips(offset.x()), gui::PixelsToTwips(offset.y()));
    EXPECT_EQ(box->size(), QSize(TwipsToPixels(expected.width()), TwipsToPixels(expected.height())))
        << height;
  }
}

TEST(ControlPanel, SwitchingModelTypeHidesButtonsUntilTheNextLoad) {
  GuiHarness gui;
  const std::string path = gui.StartWith();
  auto* list = gui.Find<QComboBox>("cmbWhichSoftware");
  gui.window->setWindowTitle(QStringLiteral("kept"));
  gui.window->Panel()->SwitchModelType(QStringLiteral("KESTRIUM"));  // already chosen
  EXPECT_EQ(gui.window->windowTitle(), "kept");
  EXPECT_EQ(gui.ShownConverterWindows(), std::vector<std::string>{"frmQuickPredict"});

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
  for (const char* name : kNetworkButtons) EXPECT_FALSE(gui.Shown(name)) << name;
  EXPECT_FALSE(gui.Shown("cmdMARS2SQL"));
  // Loading again brings the network buttons back.
  gui.fakes.file_dialogs.answers = {path};
  gui.Button("cmdLoadKestrium")->click();
  EXPECT_TRUE(gui.Shown("cmdNet2Code"));
  EXPECT_FALSE(gui.Shown("cmdMARS2SQL"));
  EXPECT_EQ(gui.Text("lblFileName"), ModelLabel(path));
}

TEST(ControlPanel, LaunchKestriumStartsTheProgramOrSaysItIsMissing) {
  GuiHarness gui;
  gui.fakes.shell.program_folder = "/opt/kdk";
  const std::string path = gui.WriteWeights("my model.kwf", SmallNetworkRecipe());
  gui.fakes.file_dialogs.answers = {path};
  gui.Start();  // a file chosen in the dialog opens the grid
  EXPECT_EQ(gui.ShownConverterWindows(), std::vector<std::string>{"frmQuickPredict"});
  EXPECT_EQ(gui.QuickPredict()->Grid()->rowCount(), 2);
  gui.fakes.messages.messages.clear();  // the pointer file is not in /opt/kdk
  gui.Button("cmdLaunchKestrium")->click();
  // The path goes unquoted, blanks and all.
  EXPECT_EQ(gui.fakes.shell.started, std::vector<std::string>{"/opt/kdk/kestrium.exe|" + path});
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
  for (const char* name : kMarsButtons) EXPECT_TRUE(gui.Shown(name)) << name;
  EXPECT_EQ(gui.Text("lblFileName"), ModelLabel(path));
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
  gui.StartWith();
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
