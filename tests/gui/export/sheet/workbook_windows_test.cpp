#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "core/shell/load_network.h"
#include "fakes/fake_ports.h"
#include "gui/export/sheet/workbook_windows.h"
#include "gui/shell/gui_context.h"
#include "gui/support/converter_window_fixture.h"

namespace kdk::gui {
namespace {

class WorkbookWindowsTest : public ConverterWindowTest {
 protected:
};

TEST_F(WorkbookWindowsTest, MarsWindowSavesAWorkbookAndAsksToLook) {
  LoadMars();
  workspace_.state.mars_loaded = false;
  MarsWorkbookWindow window(context_);
  EXPECT_EQ(window.objectName(), "frmMARS2XL");
  window.Activate();
  EXPECT_FALSE(Find<QPushButton>(window, "cmdSaveAs")->isEnabled());  // not loaded yet
  workspace_.state.mars_loaded = true;
  window.Activate();
  EXPECT_EQ(host_.placed.last(), "frmMARS2XL|MARS >> Excel|0");
  EXPECT_TRUE(window.OutputBox()->toPlainText().contains("*DISTRICT"));
  ASSERT_TRUE(Find<QPushButton>(window, "cmdSaveAs")->isEnabled());

  const std::string path = (folder_ / "my book.xlsm").string();
  fakes_.file_dialogs.answers = {path};
  fakes_.messages.answers = {MessageAnswer::Yes};
  // Temporary files go to a folder of this test's own, so other runs cannot disturb it.
  const std::filesystem::path temporaries = folder_ / "tmp";
  std::filesystem::create_directories(temporaries);
  const char* tmpdir = std::getenv("TMPDIR");
  const std::string saved_tmpdir = tmpdir ? tmpdir : "";
  setenv("TMPDIR", temporaries.c_str(), 1);
  QTest::mouseClick(Find<QPushButton>(window, "cmdSaveAs"), Qt::LeftButton);
  if (tmpdir) {
    setenv("TMPDIR", saved_tmpdir.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  ASSERT_EQ(fakes_.file_dialogs.save_requests.size(), 1u);
  EXPECT_EQ(fakes_.file_dialogs.save_requests[0].filter,
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
  workspace_.state.model_type = kNetworkModelType;
  workspace_.state.model_name = "house_price";
  ASSERT_TRUE(LoadNetworkFromPath(workspace_, std::string(KDK_EXAMPLES_DIR) + "/house_price.kwf",
                                  fakes_.messages));
  NetworkWorkbookWindow window(context_);
  EXPECT_EQ(window.objectName(), "frmEXCEL");
  window.Activate();
  EXPECT_EQ(host_.placed.last(), "frmEXCEL|Kestrium >> Excel|0");
  ASSERT_TRUE(Find<QPushButton>(window, "cmdSaveAs")->isEnabled());

  const std::string path = (folder_ / "net.xlsm").string();
  fakes_.file_dialogs.answers = {path};
  QTest::mouseClick(Find<QPushButton>(window, "cmdSaveAs"), Qt::LeftButton);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_TRUE(fakes_.shell.opened.empty());  // answered No
}

}  // namespace
}  // namespace kdk::gui
