// What every converter window does alike: without its kind of model Save is off and
// refuses; with it the window is placed under its caption, proposes its own name and
// filter, reports the files it wrote and, for text, saves and copies what kdk convert
// writes. Then what only each window does: the MARS SQL and SPSS options compared with
// kdk convert, the Load SPSS File buttons on .sav files PSPP writes, the web page style,
// the equation view, the workbook's temporary file and the score menu item.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <functional>

#include "core/common/number_text.h"
#include "core/common/output_file.h"
#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
#include "core/export/generation_stamp.h"
#include "core/export/vbproject/equation_text.h"
#include "core/network/evaluate_network.h"
#include "engines/spss/child_process.h"
#include "gui/export/code/code_export_window.h"
#include "gui/export/code/mars_spss_window.h"
#include "gui/export/code/mars_sql_window.h"
#include "gui/export/code/network_sql_window.h"
#include "gui/export/sheet/workbook_windows.h"
#include "gui/export/vbproject/equation_window.h"
#include "gui/export/vbproject/vb_project_windows.h"
#include "gui/export/web/page_style_panel.h"
#include "gui/export/web/web_page_windows.h"
#include "gui/mars/mars_source_dialogs.h"
#include "gui/shell/converter_window_entry.h"
#include "gui/shell/score_data_file.h"
#include "gui/support/converter_window_fixture.h"

namespace kdk::gui {
namespace {

namespace fs = std::filesystem;

template <class Window>
ConverterWindowEntry Open(GuiContext& context, std::unique_ptr<QWidget>& owner) {
  Window* window = nullptr;
  if constexpr (std::is_constructible_v<Window, GuiContext&>) {
    window = new Window(context);
  } else {
    window = new Window(context, std::make_shared<PageStyle>());
  }
  owner.reset(window);
  return MakeConverterWindowEntry(window);
}

struct SavingWindow {
  ConverterWindowEntry (*open)(GuiContext&, std::unique_ptr<QWidget>&);
  bool mars;
  const char* placed;  // objectName|caption|width
  const char* file;
  const char* preset;
  const char* filter;
  int selected_filter;
  const char* progress;  // @ is the scratch folder
  const char* done;      // the last message
  const char* kdk;       // kdk convert's options; none where the output holds today's date
  const char* box;       // the box showing the text that Copy takes
  const char* summary;   // the box showing the MARS model
};

const char* const kSqlFilter = "query file (*.sql)|*.sql|text file (*.txt)|*.txt";
const char* const kWorkbookFilter =
    "Excel Files (*.xls)|*.xls|Excel Macro-Enabled Workbook (*.xlsm)|*.xlsm";

const SavingWindow kSavingWindows[] = {
    {Open<MarsSqlWindow>, true, "frmMARS2tsql|MARS >> SQL|0", "q.sql", "house_value_mars_sql",
     kSqlFilter, 1, "Files Generated...\n@/q.sql", "Done it!", "--to sql", "txtSQL",
     "txtModelSummary"},
    {Open<MarsSpssWindow>, true, "frmMARS2SPSS|MARS >> SPSS|0", "s.sps", "house_value_mars_sps",
     "SPSS syntax file (*.sps)|*.sps|text file (*.txt)|*.txt", 1, "Files Generated...\n@/s.sps",
     "Done it!", "--to spss", "txtSPSS", nullptr},
    {Open<NetworkSqlWindow>, false, "frmNet2SQL|Kestrium >> SQL|0", "n.sql", "house_price_sql",
     kSqlFilter, 1, "Files Generated...\n@/n.sql", "Done it!", "--to sql", "txtSQL", nullptr},
    {Open<CodeExportWindow>, false, "CodeExportWindow|Kestruim >> SAS/Equation|12000", "c.txt",
     "house_price_SAS", "text file (*.txt)|*.txt|SAS file (*.sas)|*.sas", 1,
     "Files Generated...\n@/c.txt", "Done it!", nullptr, "txtCodeWindow", nullptr},
    {Open<NetworkPageWindow>, false, "frmHTML|Kestrium >> Web Page|0", "p.html", "house_price",
     "Web Page (*.html)|*.html", 0, "Files Generated ...\n@/p.html",
     "Do you want to see the new web page?", nullptr, nullptr, nullptr},
    {Open<MarsPageWindow>, true, "frmMARS2HTML|MARS >> Web Page|0", "m.html", "house_value_mars",
     "Web Page (*.html)|*.html", 0, "Files Generated ...\n@/m.html",
     "Do you want to see the new web page?", nullptr, nullptr, "txtMARStextwindow"},
    {Open<NetworkVbWindow>, false, "frmVB|Kestrium >> Visual Basic 6 Project|0", "Model1.vbp",
     "house_price", "VB Project (*.vbp)|*.vbp", 0,
     "Files Generated...\n@/Model1.vbp\n@/Model1.frm\n@/Model1.vbw", "Done it!", nullptr, nullptr,
     nullptr},
    {Open<MarsVbWindow>, true, "frmMARS2VB|MARS >> Visual Basic 6 Project|0", "m.vbp",
     "house_value_mars", "VB Project (*.vbp)|*.vbp", 0,
     "Files Generated...\n@/m.vbp\n@/m.frm\n@/m.vbw", "Done it!", nullptr, nullptr,
     "txtMARStextwindow"},
    {Open<NetworkWorkbookWindow>, false, "frmEXCEL|Kestrium >> Excel|0", "n.xlsm", "house_price",
     kWorkbookFilter, 1, "Files Generated...\n@/n.xlsm",
     "Saving of @/n.xlsm complete.\r\nDo you want to look?", nullptr, nullptr, nullptr},
    {Open<MarsWorkbookWindow>, true, "frmMARS2XL|MARS >> Excel|0", "m.xlsm", "house_value_mars",
     kWorkbookFilter, 1, "Files Generated...\n@/m.xlsm",
     "Saving of @/m.xlsm complete.\r\nDo you want to look?", nullptr, nullptr, "txtMARStextwindow"},
};

class SavingWindowTest : public ConverterWindowTest,
                         public ::testing::WithParamInterface<SavingWindow> {};

TEST_P(SavingWindowTest, RefusesWithoutItsModelThenSavesReportsAndCopies) {
  const SavingWindow& row = GetParam();
  std::unique_ptr<QWidget> window;
  const ConverterWindowEntry entry = row.open(context_, window);
  const bool code_window = window->objectName() == "CodeExportWindow";
  row.mars ? LoadNetwork() : LoadMars();
  entry.activate();
  auto* save = Find<QAbstractButton>(*window, "cmdSaveAs");
  EXPECT_EQ(save->isEnabled(), code_window);  // the code window keeps Save on
  if (row.box != nullptr) {
    EXPECT_TRUE(Find<QPlainTextEdit>(*window, row.box)->toPlainText().isEmpty());
  }
  save->setEnabled(true);
  fakes_.file_dialogs.answers.push_back("");  // cancelled: nothing is written
  save->click();
  EXPECT_EQ(Find<QLabel>(*window, "lblSaveAs")->text(), "No Destination Selected");
  EXPECT_FALSE(fs::exists(Save(*window, row.file)));
  EXPECT_EQ(LastMessage(), "Please select a model");

  row.mars ? LoadMars() : LoadNetwork();
  entry.activate();
  if (auto* type = window->findChild<QComboBox*>("cmbCodeType")) {
    type->setCurrentIndex(int(CodeType::Sas));  // SAS's proposal and filter
  }
  EXPECT_EQ(host_.placed.back(), row.placed);
  EXPECT_TRUE(save->isEnabled());
  if (row.summary != nullptr) {
    EXPECT_TRUE(Find<QPlainTextEdit>(*window, row.summary)->toPlainText().contains("  *DISTRICT"));
  }
  const std::string path = Save(*window, row.file);
  const FileDialogRequest& request = fakes_.file_dialogs.save_requests.back();
  EXPECT_EQ(request.preset_name, row.preset);
  EXPECT_EQ(request.filter, row.filter);
  EXPECT_EQ(request.selected_filter, row.selected_filter);
  EXPECT_EQ(workspace_.state.model_name, row.mars ? "house_value_mars" : "house_price");
  EXPECT_EQ(workspace_.output_path, path);
  EXPECT_EQ(Find<QLabel>(*window, "lblSaveAs")->text().toStdString(), "Saving as " + path);
  EXPECT_EQ(Find<QLabel>(*window, "lblProgress")->text().toStdString(),
            ReplaceAll(row.progress, "@", folder_.string()));
  EXPECT_EQ(LastMessage(), ReplaceAll(row.done, "@", folder_.string()));
  EXPECT_TRUE(fakes_.shell.opened.empty());  // "look?" and "see it?" answered No
  ASSERT_TRUE(fs::exists(path));
  if (row.kdk != nullptr) {
    EXPECT_EQ(Read(path), KdkConvert(row.mars ? kHouseValueMars : kHousePrice, row.kdk));
  }
  if (row.box != nullptr) {  // Copy takes the text as shown, with CR LF
    const QString shown = Find<QPlainTextEdit>(*window, row.box)->toPlainText();
    Find<QAbstractButton>(*window, "cmdCopy")->click();
    EXPECT_EQ(fakes_.clipboard.text, ReplaceAll(shown.toStdString(), "\n", "\r\n"));
  }
}

void PrintTo(const SavingWindow& row, std::ostream* out) {
  *out << row.placed;
}
INSTANTIATE_TEST_SUITE_P(All, SavingWindowTest, ::testing::ValuesIn(kSavingWindows),
                         [](const auto& info) {
                           const std::string placed = info.param.placed;
                           return placed.substr(0, placed.find('|'));
                         });

class WebPageWindowsTest : public ConverterWindowTest {
 protected:
  // Saves through the window to a new file, answering "See It?" as given.
  std::string SaveAndRead(QWidget& window, const char* file, MessageAnswer see_it) {
    fakes_.messages.answers.push_back(see_it);
    return Read(Save(window, file));
  }
  std::shared_ptr<PageStyle> style_ = std::make_shared<PageStyle>();
  NetworkPageWindow network_{context_, style_};
  MarsPageWindow mars_{context_, style_};
};

TEST_F(WebPageWindowsTest, NetworkPageTakesTheStyleAndTheIntroductionAndShowsItOnRequest) {
  LoadNetwork();
  network_.Activate();
  Find<QComboBox>(network_, "lstNormalFontSize")->setCurrentIndex(4);
  const std::string page = SaveAndRead(network_, "house.html", MessageAnswer::Yes);
  EXPECT_NE(page.find("table.normal {font-size:12pt;"), std::string::npos);
  EXPECT_NE(page.find("<FONT class=\"normal\">Type an Introduction Here<BR></FONT>"),
            std::string::npos);
  EXPECT_EQ(network_.SavePath(), (folder_ / "house.html").string());
  EXPECT_EQ(fakes_.messages.messages.back().title, "See It?");
  EXPECT_EQ(fakes_.shell.opened, std::vector<std::string>{network_.SavePath()});

  Find<QPushButton>(network_, "cmdClearIntro")->click();
  const std::string plain = SaveAndRead(network_, "plain.html", MessageAnswer::No);
  EXPECT_NE(plain.find("<BODY>\r\n\r\n\r\n<FORM"), std::string::npos);
  EXPECT_EQ(fakes_.shell.opened.size(), 1u);
}

TEST_F(WebPageWindowsTest, ColoursPickedByMouseStartFromTheSampleAndCancelKeepsThem) {
  QList<QLabel*> inputs = network_.findChildren<QLabel*>("lblInputs");
  ASSERT_EQ(inputs.size(), 4);
  fakes_.colours.answer = 0x0000FF;  // blue, as the dialog speaks
  QTest::mouseClick(inputs[2], Qt::RightButton);
  EXPECT_EQ(fakes_.colours.asked_with.back(), 0xFFFFFFu);  // from the grid text colour
  EXPECT_EQ(style_->data_grid_text_colour, "RGB(0,0,255)");
  for (QLabel* label : inputs)
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(Find(network_, "lblWarnings")->palette().color(QPalette::WindowText),
            QColor(0, 0, 255));

  fakes_.colours.answer = 0x102030;
  QTest::mouseClick(Find(network_, "lblPageBackgroundText"), Qt::LeftButton);
  EXPECT_EQ(fakes_.colours.asked_with.back(), 0xC0C0C0u);
  EXPECT_EQ(style_->page_background_colour, "RGB(16,32,48)");
  EXPECT_EQ(Find(network_, "txtIntro")->palette().color(QPalette::Base), QColor(16, 32, 48));

  fakes_.colours.answer.reset();  // cancelled
  QTest::mouseClick(Find(network_, "lblWarnings"), Qt::RightButton);
  EXPECT_EQ(fakes_.colours.asked_with.back(), 0xFF0000u);
  EXPECT_EQ(style_->warning_colour, "RGB(255,0,0)");
  QTest::mouseClick(Find(network_, "lblDataGrid"), Qt::LeftButton);
  EXPECT_EQ(fakes_.colours.asked_with.back(), 0x004080u);
  EXPECT_EQ(style_->data_grid_background_colour, "RGB(0,64,128)");

  Find<QPushButton>(network_, "cmdDefaultColours")->click();
  Find<QPushButton>(network_, "cmdDefaultColours")->click();
  EXPECT_EQ(style_->data_grid_text_colour, "RGB(255,255,255)");
  EXPECT_EQ(style_->page_background_colour, "RGB(192,192,192)");
  for (const char* name : {"lstNormalFontSize", "lstDataGridFontSize"}) {
    auto* list = Find<QComboBox>(network_, name);
    EXPECT_EQ(list->count(), 5);
    EXPECT_EQ(list->currentText(), "9pt");
  }
}

TEST_F(WebPageWindowsTest, MarsPageWritesTheMissingValueChoice) {
  LoadMars();
  mars_.Activate();
  auto* allow = Find<QCheckBox>(mars_, "chkAllowMissing");
  EXPECT_FALSE(allow->isChecked());
  const std::string strict = SaveAndRead(mars_, "strict.html", MessageAnswer::No);
  EXPECT_NE(strict.find("\t        alert (\"Invalid number\");"), std::string::npos);
  allow->setChecked(true);
  const std::string lenient = SaveAndRead(mars_, "lenient.html", MessageAnswer::No);
  EXPECT_NE(lenient.find("\t        //alert (\"Invalid number\");"), std::string::npos);
  EXPECT_NE(lenient.find("\t        document.datainput.elements [i].value = 'missing';"),
            std::string::npos);
}

using ConverterWindowsTest = ConverterWindowTest;

TEST_F(ConverterWindowsTest, EquationViewBuildsOnlyWhenAModelIsSelected) {
  workspace_.command_line_tried = true;
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
  fakes_.file_dialogs.answers.push_back(kHousePrice);
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

TEST_F(ConverterWindowsTest, WorkbookShownOnRequestAndItsTemporaryCodeFileRemoved) {
  LoadMars();
  MarsWorkbookWindow window(context_);
  window.Activate();
  fakes_.messages.answers = {MessageAnswer::Yes};
  // Temporary files go to a folder of this test's own, so other runs cannot disturb it.
  const fs::path temporaries = folder_ / "tmp";
  fs::create_directories(temporaries);
  const char* tmpdir = std::getenv("TMPDIR");
  const std::string saved_tmpdir = tmpdir ? tmpdir : "";
  setenv("TMPDIR", temporaries.c_str(), 1);
  const std::string path = Save(window, "my book.xlsm");
  tmpdir ? setenv("TMPDIR", saved_tmpdir.c_str(), 1) : unsetenv("TMPDIR");
  EXPECT_EQ(fakes_.shell.opened, std::vector<std::string>{path});
  // The private temporary code file (my_bookTemp-XXXXXX.txt) is gone.
  EXPECT_TRUE(fs::is_empty(temporaries));
}

// The "Score a Data File..." menu item scores on a worker thread.
TEST_F(ConverterWindowsTest, ScoreDataFileScoresTheChosenFileIntoTheChosenResult) {
  ScoreDataFile(context_, nullptr);  // without a model nothing is asked
  EXPECT_TRUE(fakes_.file_dialogs.open_requests.empty());
  ASSERT_EQ(fakes_.messages.messages.size(), 1u);

  LoadNetwork();
  const std::string data = (folder_ / "houses.csv").string();
  const std::string result = (folder_ / "houses_scored.csv").string();
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(data, "rooms,age,floor area\n4,30,150\nx,1,1\n", error));
  fakes_.file_dialogs.answers = {data, result};
  ScoreDataFile(context_, nullptr);
  EXPECT_EQ(fakes_.file_dialogs.save_requests.at(0).preset_name, "houses_scored.csv");
  NetworkPrediction expected;
  const double inputs[] = {150, 4, 30};
  ASSERT_TRUE(EvaluateNetwork(workspace_.network, inputs, expected, error));
  EXPECT_EQ(Read(result), "rooms,age,floor area,Kestrium_price\r\n4,30,150," +
                              NumberText(expected.prediction) + "\r\nx,1,1,\r\n");
  EXPECT_EQ(LastMessage(), "2 rows scored into " + result +
                               ".\r\n\r\n1 rows have no prediction (a value that is not a "
                               "number):\r\nline 3: column rooms: 'x' is not a number");
}

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
