// The MARS SQL and SPSS windows save what kdk convert writes for the options set in
// them; the Load SPSS File buttons check a .sav file PSPP writes against the model's
// inputs.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>

#include "core/common/output_file.h"
#include "core/export/code/code_types.h"
#include "engines/spss/child_process.h"
#include "gui/export/code/code_export_window.h"
#include "gui/export/code/mars_spss_window.h"
#include "gui/export/code/mars_sql_window.h"
#include "gui/mars/mars_source_dialogs.h"
#include "gui/support/converter_window_fixture.h"

namespace kdk::gui {
namespace {

class MarsWindowsTest : public ConverterWindowTest {
 protected:
  void SetUp() override {
    ConverterWindowTest::SetUp();
    LoadMars();
  }
  void ExpectSavedAsKdk(QWidget& window, const std::string& options) {
    const std::string path = Save(window, "saved" + std::to_string(++saves_));
    EXPECT_EQ(Read(path), KdkConvert(kHouseValueMars, options));
  }
  void Set(QWidget& window, const char* box, const char* text) {
    Find<QLineEdit>(window, box)->setText(text);
  }
  void Tick(QWidget& window, const char* box, bool on) {
    Find<QCheckBox>(window, box)->setChecked(on);
  }
  int saves_ = 0;
};

TEST_F(MarsWindowsTest, SqlWindowSavesWhatKdkConvertWritesForItsOptions) {
  MarsSqlWindow window(context_);
  window.Activate();
  Set(window, "txtTableName", "[Houses]");
  Set(window, "txtOutputFieldName", "Guess");
  Set(window, "txtDatabaseName", "Sales");
  for (const char* box :
       {"chkIncludeSquareBrackets", "chkCreateNewOutputField", "chkIncludeHeader"})
    Tick(window, box, false);
  ExpectSavedAsKdk(window,
                   "--to sql --table '[Houses]' --field Guess --database Sales --no-brackets "
                   "--no-create-field --no-header");

  Find<QAbstractButton>(window, "optAccess")->click();
  for (const char* box : {"txtDatabaseName", "chkCreateNewOutputField", "chkIncludeHeader"})
    EXPECT_FALSE(Find(window, box)->isEnabled()) << box;
  Tick(window, "chkIncludeSquareBrackets", true);
  ExpectSavedAsKdk(window, "--to sql --dialect access --table '[Houses]' --field Guess");

  // Saving onto the model file itself (here a copy of it, named another way) is refused.
  std::filesystem::copy_file(kHouseValueMars, folder_ / "rules.txt");
  workspace_.state.model_path = (folder_ / "rules.txt").string();
  const std::string same = Save(window, "./rules.txt");
  EXPECT_EQ(LastMessage(), SameAsModelMessage(same));
  EXPECT_EQ(Read(same), Read(kHouseValueMars));
}

TEST_F(MarsWindowsTest, SqlReservedNameAnsweredNoLeavesTheWindowEmpty) {
  workspace_.mars.input_names[0] = "Update";
  fakes_.messages.answers = {MessageAnswer::No};
  MarsSqlWindow window(context_);
  window.Activate();
  EXPECT_TRUE(window.Text().empty());
  EXPECT_FALSE(Find(window, "cmdCopy")->isEnabled());
  EXPECT_EQ(fakes_.messages.messages.at(0).buttons, MessageButtons::YesNo);
}

TEST_F(MarsWindowsTest, SpssWindowSavesWhatKdkConvertWritesAndChecksTheName) {
  workspace_.state.mars_loaded = false;
  MarsSpssWindow window(context_);
  window.Activate();
  EXPECT_FALSE(Find(window, "cmdLoadSPSSFile")->isEnabled());
  EXPECT_EQ(Find(window, "cmdLoadSPSSFile")->toolTip(), " run the syntax on an SPSS file ");
  workspace_.state.mars_loaded = true;
  window.Activate();
  Set(window, "txtOutputFieldName", " Price Guess ");
  Tick(window, "chkIncludeHeader", false);
  ExpectSavedAsKdk(window, "--to spss --output-name ' Price Guess ' --no-header");

  Set(window, "txtOutputFieldName", "   ");
  fakes_.messages.messages.clear();
  Find<QAbstractButton>(window, "cmdCopy")->click();
  EXPECT_EQ(Shown(), std::vector<std::string>{"Invalid Output Name!"});
  EXPECT_TRUE(fakes_.clipboard.text.empty());
}

const std::string kConfirm = "Loading SPSS - please be patient...\r\n(but press OK first!)";
const std::string kMismatch =
    "The file you are loading doesn't match the model file.\r\nCan't find the variables;\r\n\r\n ";

class SpssButtons : public MarsWindowsTest {
 protected:
  void SetUp() override {
    MarsWindowsTest::SetUp();
    fakes_.shell.program_folder = folder_.string();
  }
  // A .sav file written by PSPP with these numeric variables and one row.
  std::string Sav(const std::string& name, const std::string& variables) {
    const std::string path = (folder_ / name).string(), script = (folder_ / "make.sps").string();
    std::string error;
    EXPECT_TRUE(WriteFileAtomically(script,
                                    "DATA LIST LIST /" + variables +
                                        " (F8.2).\nBEGIN DATA\n1 2 3\nEND DATA.\nSAVE OUTFILE='" +
                                        path + "'.\n",
                                    error));
    EXPECT_EQ(
        spss::RunProcess({spss::FindProgram("pspp"), "-b", script}, (folder_ / "out").string(),
                         (folder_ / "err").string(), std::chrono::seconds(60))
            .exit_status,
        0);
    return path;
  }
};

TEST_F(SpssButtons, MarsWindowReportsTheStoredNamesTheFileLacks) {
  MarsSpssWindow window(context_);
  window.Activate();
  auto* button = Find<QPushButton>(window, "cmdLoadSPSSFile");
  button->click();  // the chooser is cancelled
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(fakes_.file_dialogs.open_requests.at(0).title, "Please locate your SPSS file");
  fakes_.file_dialogs.answers.push_back(Sav("houses.sav", "area District age"));
  button->click();
  EXPECT_EQ(Shown(), (std::vector<std::string>{kConfirm, kMismatch + "ROOMS"}));
}

TEST_F(SpssButtons, CodeWindowLooksForSmartNamesAndNamesTheStoredOnes) {
  LoadNetwork();
  CodeExportWindow window(context_);
  window.Activate();
  Find<QComboBox>(window, "cmbCodeType")->setCurrentIndex(int(CodeType::Spss));
  // "floor area" is looked for as floor_area; "age" is missing.
  fakes_.file_dialogs.answers.push_back(Sav("rooms_only.sav", "FLOOR_AREA Rooms other"));
  Find<QPushButton>(window, "cmdLoadSPSSfile")->click();
  EXPECT_EQ(Shown(), (std::vector<std::string>{kConfirm, kMismatch + "age"}));
  EXPECT_EQ(window.Settings().spss_data_file, (folder_ / "rooms_only.sav").string());
}

TEST(MarsSourceDialogs, ButtonsSetTheSourceAndPasteDialogKeepsItsText) {
  MarsSourceDialog source;
  EXPECT_EQ(source.SourceKind(), "CANCEL");
  source.findChild<QPushButton*>("cmdPaste")->click();
  EXPECT_EQ(source.SourceKind(), "PASTE");
  source.findChild<QPushButton*>("cmdRulesFile")->click();
  EXPECT_EQ(source.SourceKind(), "TEXTFILE");

  testing::MemoryClipboard clipboard;
  clipboard.text = "BF1 = max(0, A - 1);";
  MarsPasteDialog paste(clipboard);
  paste.findChild<QPushButton*>("cmdPaste")->click();
  EXPECT_EQ(paste.PastedText(), "BF1 = max(0, A - 1);");
  paste.findChild<QPushButton*>("cmdCancel")->click();
  EXPECT_EQ(paste.PastedText(), "");
}

}  // namespace
}  // namespace kdk::gui
