#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/export/generation_stamp.h"
#include "core/export/vbproject/equation_text.h"
#include "gui/export/vbproject/equation_window.h"
#include "gui/export/vbproject/vb_project_windows.h"
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
  void AnswerWithTheExample() { fakes_.file_dialogs.answers.push_back(kHousePrice); }
};

TEST_F(VbWindowsTest, NetworkWindowWritesTheThreeFiles) {
  NetworkVbWindow window(context_);
  EXPECT_EQ(window.objectName(), "frmVB");
  window.Activate();
  EXPECT_EQ(host_.placed, QStringList{"frmVB|Kestrium >> Visual Basic 6 Project|0"});
  auto* save = Find<QPushButton>(window, "cmdSaveAs");
  EXPECT_FALSE(save->isEnabled());
  AnswerWithTheExample();
  ASSERT_TRUE(kdk::LoadNetworkModel(workspace_, ports_));
  window.Activate();
  fakes_.file_dialogs.answers.push_back("");  // cancel: nothing happens
  save->click();
  EXPECT_EQ(Find<QLabel>(window, "lblSaveAs")->text(), "No Destination Selected");

  const std::string path = Save(window, "Model1.vbp");
  EXPECT_EQ(fakes_.file_dialogs.save_requests.back().filter, "VB Project (*.vbp)|*.vbp");
  EXPECT_EQ(Find<QLabel>(window, "lblSaveAs")->text().toStdString(), "Saving as " + path);
  EXPECT_EQ(Find<QLabel>(window, "lblProgress")->text().toStdString(),
            "Files Generated...\n" + path + "\n" + (folder_ / "Model1.frm").string() + "\n" +
                (folder_ / "Model1.vbw").string());
  EXPECT_EQ(LastMessage(), "Done it!");
  EXPECT_TRUE(fs::exists(folder_ / "Model1.frm"));
}

TEST_F(VbWindowsTest, MarsWindowShowsTheSummaryAndWritesTheProject) {
  LoadMars();
  MarsVbWindow window(context_);
  window.Activate();
  EXPECT_EQ(host_.placed, QStringList{"frmMARS2VB|MARS >> Visual Basic 6 Project|0"});
  EXPECT_TRUE(window.OutputBox()->toPlainText().contains("  *DISTRICT"));
  Save(window, "mars.vbp");
  EXPECT_EQ(LastMessage(), "Done it!");
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
  select->click();
  EXPECT_EQ(window.Text(), kEquationGreeting);
  AnswerWithTheExample();
  select->click();
  const std::string expected =
      BuildEquationText(workspace_.network, MakeGenerationStamp(workspace_.state, fakes_.clock));
  EXPECT_EQ(window.Text(), expected);
  EXPECT_TRUE(box->toPlainText().contains("\nINPUTS\n"));

  // Another network loaded elsewhere changes nothing until Select Model.
  workspace_.network.who.back() = 99;
  window.Activate();
  EXPECT_EQ(window.Text(), expected);
  fakes_.file_dialogs.answers.push_back("");  // cancel: rebuilt from the loaded network
  select->click();
  EXPECT_NE(window.Text().find("WHO(" + std::to_string(workspace_.network.who.size()) +
                               ") = 99 (Output Bias)"),
            std::string::npos);
  Find<QPushButton>(window, "cmdCopy")->click();
  EXPECT_EQ(fakes_.clipboard.text, window.Text());
}

}  // namespace
}  // namespace kdk::gui
