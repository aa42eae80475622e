#include <gtest/gtest.h>

#include "gui/export/code/code_export_window.h"

#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>

#include "gui/shell/window_geometry.h"
#include "support/gui_harness.h"

namespace kdk::testing {
namespace {

TEST(MainWindow, TwelveWindowsAreCreatedHiddenWithTheirNames) {
  GuiHarness gui;
  gui.Start();
  for (const char* name : gui::kConverterWindowNames) {
    QWidget* window = gui.window->ConverterWindow(QString::fromLatin1(name));
    ASSERT_NE(window, nullptr) << name;
    EXPECT_TRUE(gui.window->FrameOf(window)->isHidden()) << name;
  }
  // The windows whose output box the main window limits are made very large.
  for (const char* name : gui::kOutputBoxWindowNames) {
    QWidget* window = gui.window->ConverterWindow(QString::fromLatin1(name));
    EXPECT_EQ(window->width(), gui::TwipsToPixels(50000)) << name;
    EXPECT_EQ(window->height(), gui::TwipsToPixels(50000)) << name;
  }
}

struct MenuCase {
  const char* item;
  const char* window;
  const char* caption;
  int top_twips;
};

TEST(MainWindow, MenuItemsShowTheirWindowAlone) {
  GuiHarness gui;
  gui.fakes.shell.command_line = gui.WriteWeights("small.kwf", SmallNetworkRecipe());
  gui.Start();
  const MenuCase cases[] = {
      {"mnuNewFilehtmlJS", "frmHTML", "Kestrium >> Web Page", 1260},
      {"mnuNewFileexcel", "frmEXCEL", "Kestrium >> Excel", 1260},
      {"mnuNewFilevbProject", "frmVB", "Kestrium >> Visual Basic 6 Project", 1260},
      {"mnuEquation", "frmEquation", "Code", 0},
      {"mnuNewFileMARSxlProject", "frmMARS2XL", "MARS >> Excel", 1260},
      {"mnuNewFileMARSvbProject", "frmMARS2VB", "MARS >> Visual Basic 6 Project", 1260},
      {"mnuNewFileMarsTSQL", "frmMARS2tsql", "MARS >> SQL", 1260},
      {"mnuNewFileMARSSPSS", "frmMARS2SPSS", "MARS >> SPSS", 1260},
      {"mnuNewFileMARSHTML", "frmMARS2HTML", "MARS >> Web Page", 1260},
  };
  for (const MenuCase& c : cases) {
    SCOPED_TRACE(c.item);
    gui.Find<QAction>(c.item)->trigger();
    EXPECT_EQ(gui.ShownConverterWindows(), std::vector<std::string>{c.window});
    EXPECT_EQ(gui.window->windowTitle(), QString::fromLatin1(c.caption));
    QWidget* shown = gui.window->ConverterWindow(QString::fromLatin1(c.window));
    EXPECT_EQ(gui.window->FrameOf(shown)->pos(), QPoint(0, gui::TwipsToPixels(c.top_twips)));
  }
}

TEST(MainWindow, PlacingAWindowSizesMainWindowAndPanelByModelType) {
  GuiHarness gui;
  gui.Start();
  QWidget* excel = gui.window->ConverterWindow(QStringLiteral("frmEXCEL"));
  gui.workspace.state.model_type = kNetworkModelType;
  gui.window->PlaceConverterWindow(excel, QStringLiteral("one"), 0);
  EXPECT_TRUE(gui.WidthIs(8500));
  EXPECT_EQ(gui.window->Panel()->width(), gui::TwipsToPixels(8500));
  gui.workspace.state.model_type = kMarsModelType;
  gui.window->PlaceConverterWindow(excel, QStringLiteral("two"), -5);
  EXPECT_TRUE(gui.WidthIs(12000));
  gui.window->PlaceConverterWindow(excel, QStringLiteral("three"), 6000);
  EXPECT_TRUE(gui.WidthIs(6000));
  EXPECT_EQ(gui.window->Panel()->width(), gui::TwipsToPixels(6000));
  EXPECT_EQ(gui.window->windowTitle(), "three");

  // Out of the normal state only the panel follows.
  gui.window->setWindowState(Qt::WindowMaximized);
  const int maximised_width = gui.window->width();
  gui.window->PlaceConverterWindow(excel, QStringLiteral("four"), 9000);
  EXPECT_EQ(gui.window->width(), maximised_width);
  EXPECT_EQ(gui.window->Panel()->width(), gui::TwipsToPixels(9000));
}

TEST(MainWindow, HidingWindowsMakesTheWindowTallOnlyOnceAModelTypeIsSet) {
  GuiHarness gui;
  gui.Start();  // cancelled start-up: 2210 twips high
  ASSERT_TRUE(gui.HeightIs(2210));
  gui.workspace.state.model_type.reset();
  gui.window->HideConverterWindows();
  EXPECT_TRUE(gui.HeightIs(2210));
  gui.workspace.state.model_type = kMarsModelType;
  gui.window->HideConverterWindows();
  EXPECT_TRUE(gui.HeightIs(9000));

  gui.window->resize(300, 200);
  gui.window->ResetMainWindow();
  EXPECT_TRUE(gui.WidthIs(12000));
  EXPECT_TRUE(gui.HeightIs(2210));  // still no model path
  gui.workspace.state.model_path = "/models/x.kwf";
  gui.window->ResetMainWindow();
  EXPECT_TRUE(gui.HeightIs(9000));
  EXPECT_EQ(gui.window->windowTitle(), "Kestrium Model Converter");
}

TEST(MainWindow, MarsAboutBoxOpensTheMakersSite) {
  GuiHarness gui;
  gui.Start();
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
  EXPECT_EQ(gui.fakes.shell.opened.size(), 1u);
}

TEST(MainWindow, WebPageItemOpensTheAddressAndHelpItemsDoNothing) {
  GuiHarness gui;
  gui.Start();
  gui.Find<QAction>("mnuHelpContents")->trigger();
  gui.Find<QAction>("mnuHelpSearchForHelpOn")->trigger();
  EXPECT_TRUE(gui.fakes.shell.opened.empty());
  gui.Find<QAction>("mnuKestriumWebPage")->trigger();
  ASSERT_EQ(gui.fakes.shell.opened.size(), 1u);
  EXPECT_EQ(gui.fakes.shell.opened[0], gui::MainWindow::kWebPageAddress);
  EXPECT_EQ(gui.fakes.shell.last_working_folder, gui.fakes.shell.program_folder);
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

TEST(WindowGeometry, FitOutputBoxMeasuresTheBoxWithinItsWindow) {
  QWidget window;
  window.resize(gui::TwipsToPixels(50000), gui::TwipsToPixels(50000));
  QWidget inner(&window);
  inner.move(gui::TwipsToPixels(120), gui::TwipsToPixels(300));
  QPlainTextEdit box(&inner);
  box.move(0, gui::TwipsToPixels(300));
  gui::FitOutputBox(&window, 12000, 9000, &box);
  EXPECT_EQ(box.width(), gui::TwipsToPixels(12000 - 120 - 500));
  EXPECT_EQ(box.height(), gui::TwipsToPixels(9000 - 600 - 1000));
  gui::FitOutputBox(&window, 10, 10, &box);
  EXPECT_EQ(box.size(), QSize(gui::TwipsToPixels(5000), gui::TwipsToPixels(6270)));
}

TEST(MainWindow, ResizingFitsTheCodeWindowsLaidOutBox) {
  GuiHarness gui;
  gui.fakes.shell.command_line = gui.WriteWeights("small.kwf", SmallNetworkRecipe());
  gui.Start();
  gui.Button("cmdNet2Code")->click();
  QApplication::processEvents();
  QWidget* code_window = gui.window->ConverterWindow(QStringLiteral("CodeExportWindow"));
  auto* window = dynamic_cast<gui::CodeExportWindow*>(code_window);
  ASSERT_NE(window, nullptr);
  QWidget* box = window->OutputBox();
  for (int height : {9000, 6000, 20000}) {
    gui.window->resize(gui::TwipsToPixels(12000), gui::TwipsToPixels(height));
    QApplication::processEvents();
    QApplication::processEvents();
    const QPoint offset = box->mapTo(code_window, QPoint(0, 0));
    const int available_height = gui::PixelsToTwips(gui.window->height()) -
                                 gui::PixelsToTwips(gui.Find("frmControl")->height());
    const QSize expected = gui::OutputBoxSize(
        gui::PixelsToTwips(gui.window->width()), available_height,
        gui::PixelsToTwips(code_window->width()), gui::PixelsToTwips(code_window->height()),
        gui::PixelsToTwips(offset.x()), gui::PixelsToTwips(offset.y()));
    EXPECT_EQ(box->size(),
              QSize(gui::TwipsToPixels(expected.width()), gui::TwipsToPixels(expected.height())))
        << "main window height " << height;
  }
}

TEST(MainWindow, ResizingVerySmallKeepsTheGridAtLeast100TwipsHigh) {
  GuiHarness gui;
  gui.fakes.shell.command_line = gui.WriteWeights("small.kwf", SmallNetworkRecipe());
  gui.Start();
  QWidget* grid = gui.QuickPredict()->Grid();
  gui.window->resize(gui::TwipsToPixels(12000), gui::TwipsToPixels(9000));
  QApplication::processEvents();
  EXPECT_EQ(grid->height(), gui::TwipsToPixels(7740 - 1020 - 900));
  gui.window->resize(gui::TwipsToPixels(12000), gui::TwipsToPixels(5000));
  QApplication::processEvents();
  EXPECT_EQ(grid->height(), gui::TwipsToPixels(5000 - 1260 - 1020 - 900));
  gui.window->resize(60, 40);
  QApplication::processEvents();
  EXPECT_EQ(grid->height(), gui::TwipsToPixels(100));
}

}  // namespace
}  // namespace kdk::testing
