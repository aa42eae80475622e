#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>

#include "core/common/text_file.h"
#include "core/mars/generated_file.h"
#include "fakes/fake_ports.h"
#include "gui/export/code/mars_spss_window.h"
#include "gui/export/code/mars_sql_window.h"
#include "gui/mars/mars_source_dialogs.h"
#include "gui/shell/gui_context.h"
#include "gui/support/converter_window_fixture.h"

namespace kdk::gui {
namespace {

class MarsWindowsTest : public ConverterWindowTest {
 protected:
  void SetUp() override {
    LoadMars();
    ConverterWindowTest::SetUp();
  }
};

TEST_F(MarsWindowsTest, SqlWindowRegeneratesOnEveryOption) {
  MarsSqlWindow window(context_);
  EXPECT_EQ(window.objectName(), "frmMARS2tsql");
  EXPECT_FALSE(Find<QPushButton>(window, "cmdSaveAs")->isEnabled());
  window.Activate();
  EXPECT_EQ(host_.placed, QStringList{"frmMARS2tsql|MARS >> SQL|0"});
  EXPECT_EQ(window.Text(), MarsSqlText(workspace_.mars, MarsSqlOptions{}, fakes_.messages));
  EXPECT_TRUE(
      Find<QPlainTextEdit>(window, "txtModelSummary")->toPlainText().contains("  *DISTRICT"));
  EXPECT_TRUE(window.OutputBox()->toPlainText().startsWith("/*\nModel Inputs (4)"));

  Find<QLineEdit>(window, "txtTableName")->setText("[Houses]");
  EXPECT_NE(window.Text().find("\r\nUPDATE [Houses]\r\n"), std::string::npos);
  Find<QCheckBox>(window, "chkIncludeSquareBrackets")->setChecked(false);
  EXPECT_NE(window.Text().find("( CASE WHEN AGE IS NULL"), std::string::npos);

  QTest::mouseClick(Find<QRadioButton>(window, "optAccess"), Qt::LeftButton);
  EXPECT_FALSE(Find<QLineEdit>(window, "txtDatabaseName")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>(window, "chkCreateNewOutputField")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>(window, "chkIncludeHeader")->isEnabled());
  EXPECT_EQ(window.Text().rfind("\r\nUPDATE [Houses]\r\nSET [FieldName] =  150.5 + \r\n", 0), 0u);
  EXPECT_TRUE(window.Text().ends_with(";"));

  QTest::mouseClick(Find<QPushButton>(window, "cmdCopy"), Qt::LeftButton);
  EXPECT_EQ(fakes_.clipboard.text, window.Text());
}

TEST_F(MarsWindowsTest, SqlSaveProposesTheNameAndWritesTheText) {
  MarsSqlWindow window(context_);
  window.Activate();
  const std::string path = (folder_ / "houses.sql").string();
  fakes_.file_dialogs.answers = {path};
  QTest::mouseClick(Find<QPushButton>(window, "cmdSaveAs"), Qt::LeftButton);
  ASSERT_EQ(fakes_.file_dialogs.save_requests.size(), 1u);
  EXPECT_EQ(fakes_.file_dialogs.save_requests[0].preset_name, "house_value_mars_sql");
  EXPECT_EQ(fakes_.file_dialogs.save_requests[0].filter,
            "query file (*.sql)|*.sql|text file (*.txt)|*.txt");
  EXPECT_EQ(workspace_.state.model_name, "house_value_mars");
  EXPECT_EQ(workspace_.output_path, path);
  EXPECT_EQ(Find<QLabel>(window, "lblSaveAs")->text().toStdString(), "Saving as " + path);
  EXPECT_EQ(Find<QLabel>(window, "lblProgress")->text().toStdString(),
            "Files Generated...\n" + path);
  ASSERT_FALSE(fakes_.messages.messages.empty());
  EXPECT_EQ(fakes_.messages.messages.back().text, "Done it!");
  std::string bytes, error;
  ASSERT_TRUE(ReadWholeFile(path, bytes, error));
  EXPECT_NE(bytes.find("\r\nALTER TABLE [TableName] ADD [FieldName] float\r\nGo\r\n"),
            std::string::npos);
  EXPECT_NE(bytes.find("\r\nSET [FieldName] =  150.5 +\r\n0.85 * "), std::string::npos);

  // Saving onto the model file itself (here a copy of it, named another way) is refused.
  const std::filesystem::path model = folder_ / "rules.txt";
  std::filesystem::copy_file(workspace_.state.model_path, model);
  workspace_.state.model_path = model.string();
  const std::string same = (folder_ / "." / "rules.txt").string();
  fakes_.file_dialogs.answers = {same};
  QTest::mouseClick(Find<QPushButton>(window, "cmdSaveAs"), Qt::LeftButton);
  EXPECT_EQ(fakes_.messages.messages.back().text, SameAsModelMessage(same));
  std::string kept, original;
  ASSERT_TRUE(ReadWholeFile(model.string(), kept, error));
  ASSERT_TRUE(
      ReadWholeFile(std::string(KDK_EXAMPLES_DIR) + "/house_value_mars.txt", original, error));
  EXPECT_EQ(kept, original);
}

TEST_F(MarsWindowsTest, SqlReservedNameAnsweredNoLeavesTheWindowEmpty) {
  workspace_.mars.input_names[0] = "Update";
  fakes_.messages.answers = {MessageAnswer::No};
  MarsSqlWindow window(context_);
  window.Activate();
  EXPECT_TRUE(window.Text().empty());
  EXPECT_FALSE(Find<QPushButton>(window, "cmdCopy")->isEnabled());
  EXPECT_EQ(fakes_.messages.messages.at(0).buttons, MessageButtons::YesNo);
}

TEST_F(MarsWindowsTest, SpssWindowNameHeaderSaveAndCopy) {
  MarsSpssWindow window(context_);
  EXPECT_EQ(window.objectName(), "frmMARS2SPSS");
  window.Activate();
  EXPECT_EQ(host_.placed, QStringList{"frmMARS2SPSS|MARS >> SPSS|0"});
  EXPECT_NE(window.Text().find("COMPUTE mars_out = 150.5 + "), std::string::npos);
  Find<QLineEdit>(window, "txtOutputFieldName")->setText(" Price Guess ");
  EXPECT_NE(window.Text().find("COMPUTE price_guess = 150.5 + "), std::string::npos);
  Find<QCheckBox>(window, "chkIncludeHeader")->setChecked(false);
  EXPECT_EQ(window.Text().rfind("COMPUTE BF1 = max(0, AREA - 120) .\r\nEXECUTE .\r\n", 0), 0u);

  const std::string path = (folder_ / "houses.sps").string();
  fakes_.file_dialogs.answers = {path};
  QTest::mouseClick(Find<QPushButton>(window, "cmdSaveAs"), Qt::LeftButton);
  EXPECT_EQ(fakes_.file_dialogs.save_requests.at(0).preset_name, "house_value_mars_sps");
  EXPECT_EQ(fakes_.file_dialogs.save_requests.at(0).selected_filter, 1);
  std::string bytes, error;
  ASSERT_TRUE(ReadWholeFile(path, bytes, error));
  EXPECT_TRUE(
      bytes.ends_with("\r\nMATCH FILES\r\n/FILE=*\r\n/DROP=\r\nBF1\r\nBF2\r\nBF3\r\nBF4\r\n"
                      "BF5\r\nBF6\r\nBF7\r\nBF8\r\nBF9 .\r\n"));

  Find<QLineEdit>(window, "txtOutputFieldName")->setText("   ");
  fakes_.messages.messages.clear();
  QTest::mouseClick(Find<QPushButton>(window, "cmdCopy"), Qt::LeftButton);
  ASSERT_EQ(fakes_.messages.messages.size(), 1u);
  EXPECT_EQ(fakes_.messages.messages[0].text, "Invalid Output Name!");
  EXPECT_TRUE(fakes_.clipboard.text.empty());
}

TEST_F(MarsWindowsTest, WindowsStayEmptyWithoutAMarsModel) {
  workspace_.state.mars_loaded = false;
  MarsSpssWindow spss(context_);
  spss.Activate();
  MarsSqlWindow sql(context_);
  sql.Activate();
  EXPECT_TRUE(spss.Text().empty());
  EXPECT_TRUE(sql.Text().empty());
  EXPECT_FALSE(Find<QPushButton>(spss, "cmdSaveAs")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>(sql, "cmdSaveAs")->isEnabled());
}

TEST(MarsSourceDialogs, ButtonsSetTheSourceAndPasteDialogKeepsItsText) {
  MarsSourceDialog source;
  EXPECT_EQ(source.SourceKind(), "CANCEL");
  QTest::mouseClick(source.findChild<QPushButton*>("cmdPaste"), Qt::LeftButton);
  EXPECT_EQ(source.SourceKind(), "PASTE");
  QTest::mouseClick(source.findChild<QPushButton*>("cmdRulesFile"), Qt::LeftButton);
  EXPECT_EQ(source.SourceKind(), "TEXTFILE");

  testing::MemoryClipboard clipboard;
  clipboard.text = "BF1 = max(0, A - 1);";
  MarsPasteDialog paste(clipboard);
  QTest::mouseClick(paste.findChild<QPushButton*>("cmdPaste"), Qt::LeftButton);
  EXPECT_EQ(paste.PastedText(), "BF1 = max(0, A - 1);");
  QTest::mouseClick(paste.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
  EXPECT_EQ(paste.PastedText(), "");
}

}  // namespace
}  // namespace kdk::gui
