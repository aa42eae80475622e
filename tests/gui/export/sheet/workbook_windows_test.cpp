#include "gui/export/sheet/workbook_windows.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdlib>

#include "gui/support/converter_window_fixture.h"

namespace kdk::gui {
namespace {

using WorkbookWindowsTest = ConverterWindowTest;

TEST_F(WorkbookWindowsTest, MarsWindowSavesAWorkbookAndAsksToLook) {
  LoadMars();
  workspace_.state.mars_loaded = false;
  MarsWorkbookWindow window(context_);
  EXPECT_EQ(window.objectName(), "frmMARS2XL");
  window.Activate();
  EXPECT_FALSE(Find(window, "cmdSaveAs")->isEnabled());  // not loaded yet
  workspace_.state.mars_loaded = true;
  window.Activate();
  EXPECT_EQ(host_.placed.last(), "frmMARS2XL|MARS >> Excel|0");
  EXPECT_TRUE(window.OutputBox()->toPlainText().contains("*DISTRICT"));

  fakes_.messages.answers = {MessageAnswer::Yes};
  // Temporary files go to a folder of this test's own, so other runs cannot disturb it.
  const std::filesystem::path temporaries = folder_ / "tmp";
  std::filesystem::create_directories(temporaries);
  const char* tmpdir = std::getenv("TMPDIR");
  const std::string saved_tmpdir = tmpdir ? tmpdir : "";
  setenv("TMPDIR", temporaries.c_str(), 1);
  const std::string path = Save(window, "my book.xlsm");
  tmpdir ? setenv("TMPDIR", saved_tmpdir.c_str(), 1) : unsetenv("TMPDIR");
  EXPECT_EQ(fakes_.file_dialogs.save_requests.at(0).filter,
            "Excel Files (*.xls)|*.xls|Excel Macro-Enabled Workbook (*.xlsm)|*.xlsm");
  EXPECT_EQ(fakes_.file_dialogs.save_requests[0].selected_filter, 1);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(Find<QLabel>(window, "lblSaveAs")->text().toStdString(), "Saving as " + path);
  EXPECT_EQ(Find<QLabel>(window, "lblProgress")->text().toStdString(),
            "Files Generated...\n" + path);
  ASSERT_FALSE(fakes_.messages.messages.empty());
  EXPECT_EQ(fakes_.messages.messages.back().title, "Done");
  EXPECT_EQ(fakes_.shell.opened, std::vector<std::string>{path});
  // The private temporary code file (my_bookTemp-XXXXXX.txt) is gone.
  EXPECT_TRUE(std::filesystem::is_empty(temporaries));
}

TEST_F(WorkbookWindowsTest, NetworkWindowSaves) {
  LoadNetwork();
  NetworkWorkbookWindow window(context_);
  EXPECT_EQ(window.objectName(), "frmEXCEL");
  window.Activate();
  EXPECT_EQ(host_.placed.last(), "frmEXCEL|Kestrium >> Excel|0");
  EXPECT_TRUE(std::filesystem::exists(Save(window, "net.xlsm")));
  EXPECT_TRUE(fakes_.shell.opened.empty());  // answered No
}

}  // namespace
}  // namespace kdk::gui
