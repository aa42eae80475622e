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

using StartUp = GuiTest;
using MainWindow = GuiTest;
using ControlPanel = GuiTest;

QString ModelLabel(const std::string& path) {
  return gui::PathToQString("Model = " + path + "   ");
}

TEST_F(StartUp, WithAWeightsFileOnTheCommandLineShowsTheGrid) {
  const std::string path = CopyExample("house_price.kwf", "house price.kwf");
  fakes.shell.command_line = "\"" + path + "\"";
  Start();
  EXPECT_TRUE(fakes.file_dialogs.open_requests.empty());
  EXPECT_EQ(Text("lblFileName"), ModelLabel(path));
  for (const char* button : kNetworkButtons) EXPECT_TRUE(Shown(button)) << button;
  EXPECT_TRUE(Shown("cmdLaunchKestrium"));
  EXPECT_EQ(ShownConverterWindows(), std::vector<std::string>{"frmQuickPredict"});
  EXPECT_EQ(Text("lblWhat"), "Predict");
  // Start-up ends with the main window reset: caption and 12000 x 9000 at the top left.
  EXPECT_EQ(window->windowTitle(), "Kestrium Model Converter");
  EXPECT_TRUE(WidthIs(12000) && HeightIs(9000)) << window->width();
  EXPECT_EQ(window->pos(), QPoint(0, 0));
  EXPECT_TRUE(window->FrameOf(window->Panel())->isVisible());
  EXPECT_TRUE(fakes.messages.messages.empty());
}

TEST_F(StartUp, WithoutACommandLineAsksForAFileBeforeTheWindowAppears) {
  Start(/*show=*/false);
  EXPECT_EQ(fakes.file_dialogs.open_requests.at(0).title, "Select the Kestrium weights file...");
  EXPECT_FALSE(window->isVisible());
  // Cancelled: no converter buttons, the short main window.
  for (const char* button : kNetworkButtons) EXPECT_FALSE(Shown(button)) << button;
  EXPECT_TRUE(ShownConverterWindows().empty());
  EXPECT_TRUE(WidthIs(12000) && HeightIs(2210)) << window->height();
  EXPECT_EQ(Text("lblFileName"), "No model file loaded");
  EXPECT_EQ(Text("lblWhat"), "");
  EXPECT_TRUE(Shown("frameKestrium"));
  EXPECT_FALSE(Shown("frameMARS"));
  EXPECT_TRUE(fakes.messages.messages.empty());
}

TEST_F(StartUp, ACorruptCommandLineFileLeavesNoButtons) {
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.header = "\"source\",\"view\",#MAYBE#";
  StartWith(recipe);
  EXPECT_EQ(fakes.messages.messages.size(), 1u);
  EXPECT_FALSE(Shown("cmdQuickPredict"));
  EXPECT_TRUE(ShownConverterWindows().empty());
}

TEST_F(StartUp, ASwitchAfterTheFileHidesTheLaunchButton) {
  fakes.shell.command_line = WriteWeights("Loan Book.KWF", SmallNetworkRecipe()) + " /nosplash";
  Start();
  EXPECT_TRUE(Shown("cmdNet2Code"));
  EXPECT_FALSE(Shown("cmdLaunchKestrium"));
}

// Each shows its window alone below the panel (the equation view at the top left).
TEST_F(MainWindow, MenuItemsAndButtonsShowTheirWindowAlone) {
  StartWith();
  window->Panel()->ShowMarsButtons();
  Find("frameMARS")->show();  // both frames' buttons reachable for the test
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
      Button(launch.trigger)->click();
      EXPECT_EQ(Text("lblWhat"), QString::fromLatin1(launch.what));
    } else {
      Find<QAction>(launch.trigger)->trigger();
    }
    EXPECT_EQ(ShownConverterWindows(), std::vector<std::string>{launch.window});
    EXPECT_EQ(window->windowTitle(), QString::fromLatin1(launch.caption));
    QWidget* shown = window->ConverterWindow(QString::fromLatin1(launch.window));
    const int top = std::string(launch.window) == "frmEquation" ? 0 : 1260;
    EXPECT_EQ(window->FrameOf(shown)->pos(), QPoint(0, TwipsToPixels(top)));
  }
  for (const char* name : gui::kOutputBoxWindowNames) {
    QWidget* converter = window->ConverterWindow(QString::fromLatin1(name));
    EXPECT_EQ(converter->size(), QSize(TwipsToPixels(50000), TwipsToPixels(50000))) << name;
  }
}

TEST_F(MainWindow, HidingAndPlacingWindowsSizeTheWindowByModelType) {
  Start();  // cancelled start-up: 2210 twips high
  workspace.state.model_type.reset();
  window->HideConverterWindows();
  EXPECT_TRUE(HeightIs(2210));
  workspace.state.model_type = kMarsModelType;
  window->HideConverterWindows();
  EXPECT_TRUE(HeightIs(9000));
  window->resize(300, 200);
  window->ResetMainWindow();
  EXPECT_TRUE(WidthIs(12000) && HeightIs(2210));  // still no model path
  workspace.state.model_path = "/models/x.kwf";
  window->ResetMainWindow();
  EXPECT_TRUE(HeightIs(9000));
  QWidget* excel = window->ConverterWindow(QStringLiteral("frmEXCEL"));
  workspace.state.model_type = kNetworkModelType;
  window->PlaceConverterWindow(excel, QStringLiteral("one"), 0);
  EXPECT_TRUE(WidthIs(8500));
  EXPECT_EQ(window->Panel()->width(), TwipsToPixels(8500));
  workspace.state.model_type = kMarsModelType;
  window->PlaceConverterWindow(excel, QStringLiteral("two"), -5);
  EXPECT_TRUE(WidthIs(12000));
  window->PlaceConverterWindow(excel, QStringLiteral("three"), 6000);
  EXPECT_TRUE(WidthIs(6000));
  EXPECT_EQ(window->Panel()->width(), TwipsToPixels(6000));
  EXPECT_EQ(window->windowTitle(), "three");
  // Out of the normal state only the panel follows.
  window->setWindowState(Qt::WindowMaximized);
  const int maximised_width = window->width();
  window->PlaceConverterWindow(excel, QStringLiteral("four"), 9000);
  EXPECT_EQ(window->width(), maximised_width);
  EXPECT_EQ(window->Panel()->width(), TwipsToPixels(9000));
}

TEST_F(MainWindow, AboutMarsOpensTheMakersSiteAndWebPageItemItsAddress) {
  Start();
  Find<QAction>("mnuHelpContents")->trigger();
  Find<QAction>("mnuHelpSearchForHelpOn")->trigger();
  EXPECT_TRUE(fakes.shell.opened.empty());
  Find<QAction>("mnuKestriumWebPage")->trigger();
  EXPECT_EQ(fakes.shell.opened, std::vector<std::string>{gui::MainWindow::kWebPageAddress});
  EXPECT_EQ(fakes.shell.last_working_folder, fakes.shell.program_folder);
  QString caption;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle();
    box->findChild<QAbstractButton*>(QStringLiteral("cmdWebSite"))->click();
    box->findChild<QAbstractButton*>(QStringLiteral("cmdOK"))->click();
  });
  Find<QAction>("mnuAboutMARS")->trigger();
  EXPECT_EQ(caption, "About MARS");
  EXPECT_EQ(fakes.shell.opened.size(), 2u);
}

// Limited by the main window, by the window itself, and by the minimums.
TEST(WindowGeometry, OutputBoxSizeFollowsTheAvailableAreaWithMinimums) {
  EXPECT_EQ(gui::OutputBoxSize(12000, 9000, 50000, 50000, 120, 600), QSize(11380, 7400));
  EXPECT_EQ(gui::OutputBoxSize(12000, 7740, 50000, 50000, 120, 600), QSize(11380, 6270));
  EXPECT_EQ(gui::OutputBoxSize(30000, 20000, 9000, 10000, 120, 600), QSize(8380, 8400));
  EXPECT_EQ(gui::OutputBoxSize(100, 100, 50000, 50000, 120, 600), QSize(5000, 6270));
}

TEST_F(MainWindow, ResizingFitsTheOutputBoxAndTheGrid) {
  StartWith();
  QWidget* grid = QuickPredict()->Grid();
  const std::pair<int, int> grid_heights[] = {{9000, 7740 - 1020 - 900},
                                              {5000, 5000 - 1260 - 1020 - 900}};
  for (const auto& [height, grid_height] : grid_heights) {
    window->resize(TwipsToPixels(12000), TwipsToPixels(height));
    QApplication::processEvents();
    EXPECT_EQ(grid->height(), TwipsToPixels(grid_height));
  }
  window->resize(60, 40);
  QApplication::processEvents();
  EXPECT_EQ(grid->height(), TwipsToPixels(100));

  Button("cmdNet2Code")->click();
  QWidget* code = window->ConverterWindow(QStringLiteral("CodeExportWindow"));
  QWidget* box = dynamic_cast<gui::CodeExportWindow*>(code)->OutputBox();
  for (int height : {9000, 6000, 15000}) {
    window->resize(TwipsToPixels(12000), TwipsToPixels(height));
    QApplication::processEvents();
    const QPoint offset = box->mapTo(code, QPoint(0, 0));
    const QSize expected = gui::OutputBoxSize(
        12000, height - 1260, gui::PixelsToTwips(code->width()), gui::PixelsToTwips(code->height()),
        gui::PixelsToTwips(offset.x()), gui::PixelsToTwips(offset.y()));
    EXPECT_EQ(box->size(), QSize(TwipsToPixels(expected.width()), TwipsToPixels(expected.height())))
        << height;
  }
}

TEST_F(ControlPanel, SwitchingModelTypeHidesButtonsUntilTheNextLoad) {
  const std::string path = StartWith();
  auto* list = Find<QComboBox>("cmbWhichSoftware");
  window->setWindowTitle(QStringLiteral("kept"));
  window->Panel()->SwitchModelType(QStringLiteral("KESTRIUM"));  // already chosen
  EXPECT_EQ(window->windowTitle(), "kept");
  EXPECT_EQ(ShownConverterWindows(), std::vector<std::string>{"frmQuickPredict"});

  list->setCurrentIndex(1);
  EXPECT_EQ(workspace.state.model_type, kMarsModelType);
  EXPECT_TRUE(Shown("frameMARS"));
  EXPECT_FALSE(Shown("frameKestrium"));
  EXPECT_EQ(Text("lblFileName"), "No model file loaded");
  EXPECT_EQ(Text("lblWhat"), "");
  EXPECT_TRUE(ShownConverterWindows().empty());
  EXPECT_EQ(window->windowTitle(), "Kestrium Model Converter");
  // The network stays loaded, with its path.
  EXPECT_TRUE(workspace.state.network_loaded);
  EXPECT_EQ(workspace.state.model_path, path);
  EXPECT_TRUE(HeightIs(9000));

  list->setCurrentIndex(0);
  EXPECT_EQ(workspace.state.model_type, kNetworkModelType);
  EXPECT_TRUE(Shown("frameKestrium"));
  for (const char* name : kNetworkButtons) EXPECT_FALSE(Shown(name)) << name;
  EXPECT_FALSE(Shown("cmdMARS2SQL"));
  // Loading again brings the network buttons back.
  fakes.file_dialogs.answers = {path};
  Button("cmdLoadKestrium")->click();
  EXPECT_TRUE(Shown("cmdNet2Code"));
  EXPECT_FALSE(Shown("cmdMARS2SQL"));
  EXPECT_EQ(Text("lblFileName"), ModelLabel(path));
}

TEST_F(ControlPanel, LaunchKestriumStartsTheProgramOrSaysItIsMissing) {
  fakes.shell.program_folder = "/opt/kdk";
  const std::string path = WriteWeights("my model.kwf", SmallNetworkRecipe());
  fakes.file_dialogs.answers = {path};
  Start();  // a file chosen in the dialog opens the grid
  EXPECT_EQ(ShownConverterWindows(), std::vector<std::string>{"frmQuickPredict"});
  EXPECT_EQ(QuickPredict()->Grid()->rowCount(), 2);
  fakes.messages.messages.clear();  // the pointer file is not in /opt/kdk
  Button("cmdLaunchKestrium")->click();
  // The path goes unquoted, blanks and all.
  EXPECT_EQ(fakes.shell.started, std::vector<std::string>{"/opt/kdk/kestrium.exe|" + path});
  ASSERT_EQ(fakes.messages.messages.size(), 1u);
  EXPECT_EQ(fakes.messages.messages[0].text,
            "Can't find the Kestrium executable: \r\n/opt/kdk/kestrium.exe");
  EXPECT_EQ(fakes.messages.messages[0].icon, MessageIcon::Critical);

  fakes.shell.program_exists = true;
  workspace.state.model_path = "   ";
  Button("cmdLaunchKestrium")->click();
  EXPECT_EQ(fakes.shell.started.at(1), "/opt/kdk/kestrium.exe|");
  EXPECT_EQ(fakes.messages.messages.size(), 1u);
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

TEST_F(ControlPanel, MarsLoadShowsTheMarsButtonsAndRefreshRebuildsTheFirstWindow) {
  Start();
  Find<QComboBox>("cmbWhichSoftware")->setCurrentIndex(1);
  AnswerSourceDialog("cmdCancel");
  Button("cmdLoadMars")->click();
  EXPECT_FALSE(Shown("cmdMARS2SQL"));
  EXPECT_EQ(Text("lblFileName"), "No model file loaded");

  const std::string path = CopyExample("house_value_mars.txt", "mars rules.txt");
  fakes.file_dialogs.answers = {path};
  AnswerSourceDialog("cmdRulesFile");
  Button("cmdLoadMars")->click();
  for (const char* name : kMarsButtons) EXPECT_TRUE(Shown(name)) << name;
  EXPECT_EQ(Text("lblFileName"), ModelLabel(path));
  // Refreshing rebuilds only the first visible MARS window.
  window->ShowConverterWindow(QStringLiteral("frmMARS2HTML"));
  window->FrameOf(window->ConverterWindow(QStringLiteral("frmMARS2SPSS")))->show();
  window->setWindowTitle(QStringLiteral("before"));
  window->Panel()->RefreshVisibleMarsWindow();
  // frmMARS2SPSS comes before frmMARS2HTML in the order looked at.
  EXPECT_EQ(window->windowTitle(), "MARS >> SPSS");
  window->HideConverterWindows();
  window->setWindowTitle(QStringLiteral("before"));
  window->Panel()->RefreshVisibleMarsWindow();
  EXPECT_EQ(window->windowTitle(), "before");
}

TEST_F(ControlPanel, LoadingWhileTheGridIsShownRebuildsItForTheNewNetwork) {
  StartWith();
  fakes.file_dialogs.answers = {""};
  Button("cmdLoadKestrium")->click();  // cancelled: nothing changes
  EXPECT_EQ(QuickPredict()->Grid()->rowCount(), 2);
  EXPECT_TRUE(Shown("cmdQuickPredict"));
  fakes.file_dialogs.answers = {CopyExample("loan_default.kwf", "loan.kwf")};
  Button("cmdLoadKestrium")->click();
  EXPECT_EQ(QuickPredict()->Grid()->rowCount(), 4);
  EXPECT_EQ(QuickPredict()->Grid()->item(1, 0)->text(),
            gui::ToQString(workspace.network.input_names[1]));
  EXPECT_TRUE(Shown("frameClass"));
}

}  // namespace
}  // namespace kdk::testing
