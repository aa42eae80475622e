// The converter windows: Save off and refused without their kind of model; placement,
// proposals and reports; the bytes kdk convert writes for the options set in them.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/common/number_text.h"
#include "core/common/output_file.h"
#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/generation_stamp.h"
#include "core/export/vbproject/equation_text.h"
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
#include "gui/support/gui_harness.h"

namespace kdk::gui {
namespace {

namespace fs = std::filesystem;
using testing::GuiTest;
using testing::kHousePrice;
using testing::kHouseValueMars;

using Opener = ConverterWindowEntry (*)(GuiContext&, std::unique_ptr<QWidget>&);
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
  Opener open;
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

class SavingWindowTest : public GuiTest, public ::testing::WithParamInterface<SavingWindow> {};

TEST_P(SavingWindowTest, RefusesWithoutItsModelThenSavesReportsAndCopies) {
  const SavingWindow& row = GetParam();
  std::unique_ptr<QWidget> window;
  const ConverterWindowEntry entry = row.open(context, window);
  const bool code_window = window->objectName() == "CodeExportWindow";
  row.mars ? LoadNetwork() : LoadMars();
  entry.activate();
  auto* save = Find<QAbstractButton>(*window, "cmdSaveAs");
  EXPECT_EQ(save->isEnabled(), code_window);  // the code window keeps Save on
  if (row.box != nullptr) {
    EXPECT_TRUE(Find<QPlainTextEdit>(*window, row.box)->toPlainText().isEmpty());
  }
  save->setEnabled(true);
  fakes.file_dialogs.answers.push_back("");  // cancelled: nothing is written
  save->click();
  EXPECT_EQ(Find<QLabel>(*window, "lblSaveAs")->text(), "No Destination Selected");
  EXPECT_FALSE(fs::exists(Save(*window, row.file)));
  EXPECT_EQ(LastMessage(), "Please select a model");

  row.mars ? LoadMars() : LoadNetwork();
  entry.activate();
  if (code_window) Apply(*window, "cmbCodeType=1");  // SAS's proposal and filter
  EXPECT_EQ(host.placed.back(), row.placed);
  EXPECT_TRUE(save->isEnabled());
  if (row.summary != nullptr) {
    EXPECT_TRUE(Find<QPlainTextEdit>(*window, row.summary)->toPlainText().contains("  *DISTRICT"));
  }
  const std::string path = Save(*window, row.file);
  const FileDialogRequest& request = fakes.file_dialogs.save_requests.back();
  EXPECT_EQ(request.preset_name, row.preset);
  EXPECT_EQ(request.filter, row.filter);
  EXPECT_EQ(request.selected_filter, row.selected_filter);
  EXPECT_EQ(workspace.output_path, path);
  EXPECT_EQ(Find<QLabel>(*window, "lblSaveAs")->text().toStdString(), "Saving as " + path);
  EXPECT_EQ(Find<QLabel>(*window, "lblProgress")->text().toStdString(),
            ReplaceAll(row.progress, "@", folder.string()));
  EXPECT_EQ(LastMessage(), ReplaceAll(row.done, "@", folder.string()));
  ASSERT_TRUE(fs::exists(path));
  if (row.kdk != nullptr) {
    EXPECT_EQ(Read(path), KdkConvert(row.mars ? kHouseValueMars : kHousePrice, row.kdk));
  }
  if (row.box != nullptr) {  // Copy takes the text as shown, with CR LF
    const QString shown = Find<QPlainTextEdit>(*window, row.box)->toPlainText();
    Find<QAbstractButton>(*window, "cmdCopy")->click();
    EXPECT_EQ(fakes.clipboard.text, ReplaceAll(shown.toStdString(), "\n", "\r\n"));
  }
}

INSTANTIATE_TEST_SUITE_P(All, SavingWindowTest, ::testing::ValuesIn(kSavingWindows),
                         [](const auto& info) {
                           const std::string placed = info.param.placed;
                           return placed.substr(0, placed.find('|'));
                         });

// The options set in a window, and the kdk convert options that write the same bytes.
struct OptionsCase {
  Opener open;
  bool mars;
  const char* steps;  // as Apply takes them
  const char* kdk;
};
void PrintTo(const OptionsCase& row, std::ostream* out) {
  *out << row.kdk;
}

const OptionsCase kOptionsCases[] = {
    {Open<MarsSqlWindow>, true,
     "txtTableName=[Houses]|txtOutputFieldName=Guess|txtDatabaseName=Sales|"
     "chkIncludeSquareBrackets=0|chkCreateNewOutputField=0|chkIncludeHeader=0",
     "--to sql --table '[Houses]' --field Guess --database Sales --no-brackets --no-create-field "
     "--no-header"},
    {Open<MarsSqlWindow>, true, "txtTableName=[Houses]|txtOutputFieldName=Guess|optAccess",
     "--to sql --dialect access --table '[Houses]' --field Guess"},
    {Open<MarsSpssWindow>, true, "txtOutputFieldName= Price Guess |chkIncludeHeader=0",
     "--to spss --output-name ' Price Guess ' --no-header"},
    // An input's name as the field: the prediction goes beside it.
    {Open<NetworkSqlWindow>, false,
     "optANSI|optSelect|txtTableName=Houses|txtOutputFieldName=rooms",
     "--to sql --dialect ansi --select --table Houses --field rooms"},
    // The code window (list entries are code types); the model information holds the
    // clock's dates, so it is left out.
    {Open<CodeExportWindow>, false,
     "cmbCodeType=4|chkIncludeHeader=0|txtFieldName=my out|txtRootName=T|optFormat_3",
     "--to f90 --no-model-info --output-name 'my out' --root-name T --format D"},
    {Open<CodeExportWindow>, false, "cmbCodeType=1|chkIncludeHeader=0", "--to sas --no-model-info"},
    {Open<CodeExportWindow>, false,
     "cmbCodeType=1|chkIncludeHeader=0|chkAppendToSource|chkAppendToSource|txtSASSourceData=houses",
     "--to sas --no-model-info --sas-source houses --sas-append"},
    {Open<CodeExportWindow>, false, "cmbCodeType=5|chkIncludeHeader=0|txtJavaClass=Price Model",
     "--to java --no-model-info --java-class 'Price Model'"},
    {Open<CodeExportWindow>, false,
     "cmbCodeType=0|chkIncludeHeader=0|txtLineTermination=;;|optTanH_0",
     "--to equation --no-model-info --line-termination ';;' --tanh exp"},
};

class OptionsTest : public GuiTest, public ::testing::WithParamInterface<OptionsCase> {};

TEST_P(OptionsTest, SaveWritesWhatKdkConvertWritesForTheSameOptions) {
  const OptionsCase& row = GetParam();
  std::unique_ptr<QWidget> window;
  const ConverterWindowEntry entry = row.open(context, window);
  row.mars ? LoadMars() : LoadNetwork();
  entry.activate();
  Apply(*window, row.steps);
  EXPECT_EQ(Read(Save(*window, "saved")),
            KdkConvert(row.mars ? kHouseValueMars : kHousePrice, row.kdk));
}

INSTANTIATE_TEST_SUITE_P(All, OptionsTest, ::testing::ValuesIn(kOptionsCases));

class WebPageWindowsTest : public GuiTest {
 protected:
  std::shared_ptr<PageStyle> style_ = std::make_shared<PageStyle>();
  NetworkPageWindow network_{context, style_};
  MarsPageWindow mars_{context, style_};
};

TEST_F(WebPageWindowsTest, NetworkPageTakesTheStyleAndTheIntroductionAndShowsItOnRequest) {
  LoadNetwork();
  network_.Activate();
  Apply(network_, "lstNormalFontSize=4");
  fakes.messages.answers.push_back(MessageAnswer::Yes);  // "See It?"
  const std::string page = Read(Save(network_, "house.html"));
  EXPECT_NE(page.find("table.normal {font-size:12pt;"), std::string::npos);
  EXPECT_NE(page.find("<FONT class=\"normal\">Type an Introduction Here<BR></FONT>"),
            std::string::npos);
  EXPECT_EQ(fakes.messages.messages.back().title, "See It?");
  EXPECT_EQ(fakes.shell.opened, std::vector<std::string>{File("house.html")});

  Apply(network_, "cmdClearIntro");
  EXPECT_NE(Read(Save(network_, "plain.html")).find("<BODY>\r\n\r\n\r\n<FORM"), std::string::npos);
  EXPECT_EQ(fakes.shell.opened.size(), 1u);
}

TEST_F(WebPageWindowsTest, ColoursPickedByMouseStartFromTheSampleAndCancelKeepsThem) {
  const QList<QLabel*> inputs = network_.findChildren<QLabel*>("lblInputs");
  ASSERT_EQ(inputs.size(), 4);
  struct Pick {
    QWidget* sample;
    Qt::MouseButton button;
    std::optional<std::uint32_t> answer;  // none: cancelled
    std::uint32_t asked_with;
    std::string PageStyle::*colour;
    const char* kept;
  };
  const Pick picks[] = {
      {inputs[2], Qt::RightButton, 0x0000FF, 0xFFFFFF, &PageStyle::data_grid_text_colour,
       "RGB(0,0,255)"},
      {Find(network_, "lblPageBackgroundText"), Qt::LeftButton, 0x102030, 0xC0C0C0,
       &PageStyle::page_background_colour, "RGB(16,32,48)"},
      {Find(network_, "lblWarnings"), Qt::RightButton, std::nullopt, 0xFF0000,
       &PageStyle::warning_colour, "RGB(255,0,0)"},
      {Find(network_, "lblDataGrid"), Qt::LeftButton, std::nullopt, 0x004080,
       &PageStyle::data_grid_background_colour, "RGB(0,64,128)"},
  };
  for (const Pick& pick : picks) {
    fakes.colours.answer = pick.answer;
    QTest::mouseClick(pick.sample, pick.button);
    EXPECT_EQ(fakes.colours.asked_with.back(), pick.asked_with) << pick.kept;
    EXPECT_EQ((*style_).*pick.colour, pick.kept);
  }
  for (QLabel* label : inputs)
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(Find(network_, "lblWarnings")->palette().color(QPalette::WindowText),
            QColor(0, 0, 255));
  EXPECT_EQ(Find(network_, "txtIntro")->palette().color(QPalette::Base), QColor(16, 32, 48));

  Apply(network_, "cmdDefaultColours|cmdDefaultColours");
  EXPECT_EQ(style_->data_grid_text_colour, "RGB(255,255,255)");
  EXPECT_EQ(style_->page_background_colour, "RGB(192,192,192)");
  for (const char* name : {"lstNormalFontSize", "lstDataGridFontSize"}) {
    EXPECT_EQ(Find<QComboBox>(network_, name)->count(), 5);
    EXPECT_EQ(Find<QComboBox>(network_, name)->currentText(), "9pt");
  }
}

TEST_F(WebPageWindowsTest, MarsPageWritesTheMissingValueChoice) {
  LoadMars();
  mars_.Activate();
  const std::string missing = "\t        document.datainput.elements [i].value = 'missing';";
  EXPECT_EQ(Read(Save(mars_, "strict.html")).find(missing), std::string::npos);
  Apply(mars_, "chkAllowMissing=1");
  EXPECT_NE(Read(Save(mars_, "lenient.html")).find(missing), std::string::npos);
}

using ConverterWindowsTest = GuiTest;

TEST_F(ConverterWindowsTest, EquationViewBuildsOnlyWhenAModelIsSelected) {
  workspace.command_line_tried = true;
  EquationWindow window(context);
  auto* box = Find<QPlainTextEdit>(window, "txtEquation");
  EXPECT_EQ(box->toPlainText(), "Hello!\nPlease select a weights file\n");
  EXPECT_EQ(Find<QLabel>(window, "lblFileName")->text(), "No Model Selected");
  window.Activate();
  EXPECT_EQ(host.placed, QStringList{"frmEquation|top left|Code"});

  fakes.file_dialogs.answers = {"", kHousePrice};  // cancelled with no network: the greeting
  Apply(window, "cmdGetWeights");
  EXPECT_EQ(window.Text(), kEquationGreeting);
  Apply(window, "cmdGetWeights");
  const std::string expected =
      BuildEquationText(workspace.network, MakeGenerationStamp(workspace.state, fakes.clock));
  EXPECT_EQ(window.Text(), expected);
  EXPECT_TRUE(box->toPlainText().contains("\nINPUTS\n"));

  // Another network loaded elsewhere changes nothing until Select Model.
  workspace.network.who.back() = 99;
  window.Activate();
  EXPECT_EQ(window.Text(), expected);
  Apply(window, "cmdGetWeights");  // cancel: rebuilt from the loaded network
  EXPECT_NE(window.Text().find("WHO(" + std::to_string(workspace.network.who.size()) +
                               ") = 99 (Output Bias)"),
            std::string::npos);
  Apply(window, "cmdCopy");
  EXPECT_EQ(fakes.clipboard.text, window.Text());
}

TEST_F(ConverterWindowsTest, WorkbookLeavesNoTemporaryCodeFile) {
  LoadMars();
  MarsWorkbookWindow window(context);
  window.Activate();
  // Temporary files go to a folder of this test's own, so other runs cannot disturb it.
  const fs::path temporaries = folder / "tmp";
  fs::create_directories(temporaries);
  const char* tmpdir = std::getenv("TMPDIR");
  const std::string saved_tmpdir = tmpdir ? tmpdir : "";
  setenv("TMPDIR", temporaries.c_str(), 1);
  EXPECT_TRUE(fs::exists(Save(window, "my book.xlsm")));
  tmpdir ? setenv("TMPDIR", saved_tmpdir.c_str(), 1) : unsetenv("TMPDIR");
  EXPECT_TRUE(fs::is_empty(temporaries));  // no my_bookTemp-XXXXXX.txt left
}

// The "Score a Data File..." menu item scores on a worker thread.
TEST_F(ConverterWindowsTest, ScoreDataFileScoresTheChosenFileIntoTheChosenResult) {
  ScoreDataFile(context, nullptr);  // without a model nothing is asked
  EXPECT_TRUE(fakes.file_dialogs.open_requests.empty());
  ASSERT_EQ(fakes.messages.messages.size(), 1u);

  LoadNetwork();
  const std::string data = File("houses.csv"), result = File("houses_scored.csv");
  conformance::WriteText(data, "rooms,age,floor area\n4,30,150\nx,1,1\n");
  fakes.file_dialogs.answers = {data, result};
  ScoreDataFile(context, nullptr);
  EXPECT_EQ(fakes.file_dialogs.save_requests.at(0).preset_name, "houses_scored.csv");
  const double prediction = conformance::Predicted(workspace.network, {150, 4, 30}).prediction;
  EXPECT_EQ(Read(result), "rooms,age,floor area,Kestrium_price\r\n4,30,150," +
                              NumberText(prediction) + "\r\nx,1,1,\r\n");
  EXPECT_EQ(LastMessage(), "2 rows scored into " + result +
                               ".\r\n\r\n1 rows have no prediction (a value that is not a "
                               "number):\r\nline 3: column rooms: 'x' is not a number");
}

TEST_F(ConverterWindowsTest, MarsSqlAccessDisablesWhatItLacksAndTheModelFileIsNeverReplaced) {
  LoadMars();
  MarsSqlWindow window(context);
  window.Activate();
  Apply(window, "optAccess");
  for (const char* box : {"txtDatabaseName", "chkCreateNewOutputField", "chkIncludeHeader"})
    EXPECT_FALSE(Find(window, box)->isEnabled()) << box;
  // The model file itself, here a copy named another way.
  fs::copy_file(kHouseValueMars, folder / "rules.txt");
  workspace.state.model_path = File("rules.txt");
  const std::string same = Save(window, "./rules.txt");
  EXPECT_EQ(LastMessage(), SameAsModelMessage(same));
  EXPECT_EQ(Read(same), Read(kHouseValueMars));
}

TEST_F(ConverterWindowsTest, MarsSqlReservedNameAnsweredNoLeavesTheWindowEmpty) {
  LoadMars();
  workspace.mars.input_names[0] = "Update";
  fakes.messages.answers = {MessageAnswer::No};
  MarsSqlWindow window(context);
  window.Activate();
  EXPECT_TRUE(window.Text().empty());
  EXPECT_FALSE(Find(window, "cmdCopy")->isEnabled());
  EXPECT_EQ(fakes.messages.messages.at(0).buttons, MessageButtons::YesNo);
}

// The SPSS buttons need a model and look for the stored names: the MARS model's as read,
// the network's smart-named ("floor area" as floor_area), in a .sav file PSPP writes.
TEST_F(ConverterWindowsTest, SpssButtonsLookForTheStoredNames) {
  conformance::WriteText(folder / "make.sps",
                         "DATA LIST LIST /area District FLOOR_AREA age (F8.2).\nBEGIN DATA\n"
                         "1 2 3 4\nEND DATA.\nSAVE OUTFILE='" +
                             File("h.sav") + "'.\n");
  std::string output;
  ASSERT_EQ(conformance::RunCommand("pspp -b " + conformance::Quoted(File("make.sps")), "", output),
            0)
      << output;
  const std::string mismatch =
      "The file you are loading doesn't match the model file.\r\nCan't find the "
      "variables;\r\n\r\n ";
  MarsSpssWindow mars(context);
  mars.Activate();
  EXPECT_FALSE(Find(mars, "cmdLoadSPSSFile")->isEnabled());
  EXPECT_EQ(Find(mars, "cmdLoadSPSSFile")->toolTip(), " run the syntax on an SPSS file ");
  LoadMars();
  mars.Activate();
  fakes.file_dialogs.answers.push_back(File("h.sav"));
  Apply(mars, "cmdLoadSPSSFile");
  EXPECT_EQ(LastMessage(), mismatch + "ROOMS");
  Apply(mars, "txtOutputFieldName=   |cmdCopy");  // Copy needs a name
  EXPECT_EQ(LastMessage(), "Invalid Output Name!");
  EXPECT_TRUE(fakes.clipboard.text.empty());
  LoadNetwork();
  CodeExportWindow code(context);
  code.Activate();
  fakes.file_dialogs.answers.push_back(File("h.sav"));
  Apply(code, "cmbCodeType=6|cmdLoadSPSSfile");
  EXPECT_EQ(LastMessage(), mismatch + "rooms");
  EXPECT_EQ(code.Settings().spss_data_file, File("h.sav"));
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

class CodeExportWindowTest : public GuiTest {
 protected:
  void SetUp() override {
    LoadNetwork();
    window_ = std::make_unique<CodeExportWindow>(context);
    window_->Activate();
  }
  bool Shows(const char* name) { return !Find(*window_, name)->isHidden(); }
  std::unique_ptr<CodeExportWindow> window_;
};

TEST_F(CodeExportWindowTest, ActivationShowsTheEngineTextAndKeepsOnlyTheCodeType) {
  testing::RecordingMessagePort silent;
  EXPECT_EQ(ReplaceAll(window_->OutputBox()->toPlainText().toStdString(), "\n", "\r\n"),
            GenerateCode(window_->Settings(), workspace.network,
                         MakeGenerationStamp(workspace.state, fakes.clock), silent));
  Apply(*window_, "cmbCodeType=1|chkAppendToSource|chkAppendToSource");
  EXPECT_EQ(Find<QLineEdit>(*window_, "txtSASNewData")->text(), "source_data");
  Apply(*window_, "txtSASSourceData=houses");
  EXPECT_FALSE(Find(*window_, "txtSASNewData")->isEnabled());
  EXPECT_EQ(Find<QLineEdit>(*window_, "txtSASNewData")->text(), "houses");
  window_->Activate();
  EXPECT_EQ(Find<QComboBox>(*window_, "cmbCodeType")->currentIndex(), int(CodeType::Sas));
  fakes.clipboard.text = "before";  // Copy refuses an empty name
  Apply(*window_, "txtFieldName=   |cmdCopy");
  EXPECT_EQ(fakes.clipboard.text, "before");
  EXPECT_EQ(LastMessage(), "Invalid Output Name!");
}

TEST_F(CodeExportWindowTest, EachCodeTypeShowsItsOwnOptions) {
  const std::pair<CodeType, const char*> frames[] = {
      {CodeType::Sas, "frameSASOptions"},           {CodeType::Spss, "frameSPSSOptions"},
      {CodeType::Java, "frameJavaOptions"},         {CodeType::F90, "frameFortranOptions"},
      {CodeType::Equation, "frameEquationOptions"}, {CodeType::C, nullptr}};
  for (const auto& [type, frame] : frames) {
    Apply(*window_, "cmbCodeType=" + std::to_string(int(type)));
    for (const auto& [other, other_frame] : frames)
      EXPECT_TRUE(!other_frame || Shows(other_frame) == (other == type)) << other_frame;
    EXPECT_EQ(Shows("cmdSASHomePage"), type == CodeType::Sas);
    EXPECT_EQ(Shows("cmdLoadSPSSfile"), type == CodeType::Spss);
    EXPECT_EQ(Shows("cmdSPSSHomePage"), type == CodeType::Spss);
    // SPSS takes layouts C and D only.
    EXPECT_EQ(Find(*window_, "optFormat_0")->isEnabled(), type != CodeType::Spss);
    EXPECT_EQ(Find(*window_, "optFormat_1")->isEnabled(), type != CodeType::Spss);
    EXPECT_TRUE(type != CodeType::Spss || Find<QRadioButton>(*window_, "optFormat_2")->isChecked());
  }
}

TEST_F(CodeExportWindowTest, ReturningToTheWindowInTheAreaActivatesItAgain) {
  QMdiArea area;
  QMdiSubWindow* frame = area.addSubWindow(window_.release());
  QMdiSubWindow* other = area.addSubWindow(new QWidget);
  area.show();
  frame->show();
  other->show();
  area.setActiveSubWindow(frame);
  QCoreApplication::processEvents();
  auto* field = frame->widget()->findChild<QLineEdit*>("txtFieldName");
  field->setText("other");
  area.setActiveSubWindow(other);
  QCoreApplication::processEvents();
  EXPECT_EQ(field->text(), "other");
  area.setActiveSubWindow(frame);
  QCoreApplication::processEvents();
  EXPECT_EQ(field->text(), "Kestrium_price");
}

TEST_F(CodeExportWindowTest, JavaProposesTheClassNameCancelWritesNothingHomePagesOpen) {
  Apply(*window_, "cmbCodeType=5|cmdSaveAs");
  EXPECT_EQ(fakes.file_dialogs.save_requests.at(0).preset_name, "Kestrium");
  EXPECT_EQ(Find<QLabel>(*window_, "lblSaveAs")->text(), "No Destination Selected");
  EXPECT_TRUE(fakes.messages.messages.empty());
  // javac wants the file named as the class is written: smart-named, and renamed
  // where Java refuses the name.
  for (const auto& [typed, written] :
       {std::pair{"Price Model", "Price_Model"}, std::pair{"class", "class_1"}}) {
    Apply(*window_, std::string("txtJavaClass=") + typed + "|cmdSaveAs");
    EXPECT_EQ(fakes.file_dialogs.save_requests.back().preset_name, written);
  }
  Apply(*window_, "cmdSASHomePage|cmdSPSSHomePage");
  EXPECT_EQ(fakes.shell.opened,
            (std::vector<std::string>{std::string(kSasHomePage), std::string(kSpssHomePage)}));
}

}  // namespace
}  // namespace kdk::gui
