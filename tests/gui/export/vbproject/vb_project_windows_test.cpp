#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "core/export/vbproject/equation_text.h"
#include "core/export/vbproject/vb_project.h"
#include "core/shell/load_network.h"
#include "fakes/fake_ports.h"
#include "gui/export/vbproject/equation_window.h"
#include "gui/export/vbproject/vb_project_windows.h"
#include "gui/shell/gui_context.h"
#include "gui/support/converter_window_fixture.h"

namespace kdk::gui {
namespace {

namespace fs = std::filesystem;

class VbWindowsTest : public ConverterWindowTest {
 protected:
  void SetUp() override {
    workspace_.command_line_tried = true;
    ConverterWindowTest::SetUp();
  }

  void LoadNetworkThroughTheDialog() {
    fakes_.file_dialogs.answers.push_back(std::string(KDK_EXAMPLES_DIR) + "/house_price.kwf");
  }
};

TEST_F(VbWindowsTest, NetworkWindowWritesTheThreeFiles) {
  NetworkVbWindow window(context_);
  EXPECT_EQ(window.objectName(), "frmVB");
  window.Activate();
  EXPECT_EQ(host_.placed, QStringList{"frmVB|Kestrium >> Visual Basic 6 Project|0"});
  auto* save = Find<QPushButton>(window, "cmdSaveAs");
  EXPECT_FALSE(save->isEnabled());

  LoadNetworkThroughTheDialog();
  ASSERT_TRUE(kdk::LoadNetworkModel(workspace_, ports_));
  window.Activate();
  ASSERT_TRUE(save->isEnabled());

  fakes_.file_dialogs.answers.push_back("");  // cancel: nothing happens
  QTest::mouseClick(save, Qt::LeftButton);
  EXPECT_EQ(Find<QLabel>(window, "lblSaveAs")->text(), "No Destination Selected");

  const std::string path = (folder_ / "Model1.vbp").string();
  fakes_.file_dialogs.answers.push_back(path);
  QTest::mouseClick(save, Qt::LeftButton);
  EXPECT_EQ(fakes_.file_dialogs.save_requests.back().filter, "VB Project (*.vbp)|*.vbp");
  EXPECT_EQ(Find<QLabel>(window, "lblSaveAs")->text(), QString::fromStdString("Saving as " + path));
  EXPECT_EQ(Find<QLabel>(window, "lblProgress")->text(),
            QString::fromStdString("Files Generated...\n" + path + "\n" +
                                   (folder_ / "Model1.frm").string() + "\n" +
                                   (folder_ / "Model1.vbw").string()));
  EXPECT_EQ(fakes_.messages.messages.back().text, "Done it!");
  EXPECT_TRUE(fs::exists(folder_ / "Model1.frm"));
}

TEST_F(VbWindowsTest, MarsWindowShowsTheSummaryAndWritesTheProject) {
  LoadMars();
  MarsVbWindow window(context_);
  window.Activate();
  EXPECT_EQ(host_.placed, QStringList{"frmMARS2VB|MARS >> Visual Basic 6 Project|0"});
  EXPECT_TRUE(window.OutputBox()->toPlainText().contains("  *DISTRICT"));
  const std::string path = (folder_ / "mars.vbp").string();
  fakes_.file_dialogs.answers.push_back(path);
  QTest::mouseClick(Find<QPushButton>(window, "cmdSaveAs"), Qt::LeftButton);
  EXPECT_EQ(fakes_.messages.messages.back().text, "Done it!");
  EXPECT_TRUE(fs::exists(folder_ / "mars.frm"));
  EXPECT_TRUE(fs::exists(folder_ / "mars.vbw"));
}

TEST_F(VbWindowsTest, EquationViewBuildsOnlyWhenAModelIsSelected) {
  EquationWindow window(context_);
  auto* box = Find<QPlainTextEdit>(window, "txtEquation");
  EXPECT_EQ(box->toPlainText(), "Hello!\nPlease select a weights file\n");
  EXPECT_EQ(Find<QLabel>(window, "lblFileName")->text(), "No Model Selected");
  window.Activate();
  EXPECT_EQ(host_.placed, QStringList{"frmEquation|top left|Code"});

  auto* select = Find<QPushButton>(window, "cmdGetWeights");
  fakes_.file_dialogs.answers.push_back("");  // cancelled with no network: the greeting stays
  QTest::mouseClick(select, Qt::LeftButton);
  EXPECT_EQ(window.Text(), kEquationGreeting);

  LoadNetworkThroughTheDialog();
  QTest::mouseClick(select, Qt::LeftButton);
  ASSERT_TRUE(workspace_.state.network_loaded);
  const std::string expected =
      BuildEquationText(workspace_.network, MakeGenerationStamp(workspace_.state, fakes_.clock));
  EXPECT_EQ(window.Text(), expected);
  EXPECT_TRUE(box->toPlainText().contains("\nINPUTS\n"));

  // Another network loaded elsewhere changes nothing until Select Model.
  workspace_.network.who.back() = 99;
  window.Activate();
  EXPECT_EQ(window.Text(), expected);
  fakes_.file_dialogs.answers.push_back("");  // cancel: rebuilt from the loaded network
  QTest::mouseClick(select, Qt::LeftButton);
  const std::string bias =
      "WHO(" + std::to_string(workspace_.network.who.size()) + ") = 99 (Output Bias)";
  EXPECT_NE(window.Text().find(bias), std::string::npos);

  QTest::mouseClick(Find<QPushButton>(window, "cmdCopy"), Qt::LeftButton);
  EXPECT_EQ(fakes_.clipboard.text, window.Text());
}

}  // namespace
}  // namespace kdk::gui
