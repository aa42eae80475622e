#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "core/common/number_text.h"
#include "core/export/sheet/build_workbook.h"
#include "core/export/sheet/prepare_data_macro.h"
#include "core/export/sheet/sheet_fillers.h"
#include "core/export/sheet/spreadsheet_application.h"
#include "core/export/sheet/workbook_code_blocks.h"
#include "core/export/sheet/workbook_names.h"
#include "core/test_models.h"
#include "fakes/fake_ports.h"

namespace kdk {
namespace {

using ::testing::HasSubstr;
using testing::RecordingMessagePort;

// Records what the builders ask of the application; each operation can be made to fail.
class RecordingSpreadsheet : public SpreadsheetApplication {
 public:
  struct Cell {
    std::string value;  // text as set, or the number's digits, or the formula
    CellResult cached;
  };
  struct Sheet {
    std::string name;
    std::map<std::pair<int, int>, Cell> cells = {};
    std::vector<std::pair<int, int>> autofits = {};
  };

  bool fail_start = false, fail_add_sheet = false, fail_name = false, fail_module = false,
       fail_save = false;
  int initial_sheets = 1;
  std::vector<Sheet> sheets;
  std::vector<std::string> modules, inserted_files, saved_as, calls;
  int current = -1;

  // Records the call; on `fail`, sets `error` to `reason` and fails.
  bool Call(const char* name, bool fail, std::string& error, const char* reason) {
    if (*name) calls.push_back(name);
    if (fail) error = reason;
    return !fail;
  }
  bool Start(std::string& error) override {
    return Call("Start", fail_start, error, "cannot start");
  }
  bool AddWorkbook(std::string&) override {
    for (int i = 1; i <= initial_sheets; ++i) sheets.push_back({"Sheet" + std::to_string(i)});
    return true;
  }
  int SheetCount() const override { return static_cast<int>(sheets.size()); }
  bool AddSheet(std::string& error) override {
    const bool added = Call("AddSheet", fail_add_sheet, error, "no more sheets");
    if (added) sheets.push_back({"Sheet" + std::to_string(sheets.size() + 1)});
    return added;
  }
  bool SelectWorksheet(int n, std::string& error) override {
    current = n < 1 || n > SheetCount() ? -1 : n - 1;
    return Call("", current < 0, error, "Subscript out of range");
  }
  bool SetWorksheetName(std::string_view name, std::string& error) override {
    const bool named = Call("", fail_name, error, "bad name");
    if (named) sheets[current].name = std::string(name);
    return named;
  }
  Cell* At(int row, int column) {
    return current < 0 ? nullptr : &sheets[current].cells[{row, column}];
  }
  void SetCellText(int row, int column, std::string_view text) override {
    if (Cell* c = At(row, column)) c->value = std::string(text);
  }
  void SetCellNumber(int row, int column, double value) override {
    SetCellText(row, column, NumberText(value));
  }
  void SetCellFormulaR1C1(int row, int column, std::string_view formula,
                          const CellResult& cached) override {
    if (Cell* c = At(row, column)) *c = {std::string(formula), cached};
  }
  void SetCellLocked(int, int, bool) override {}
  void SetFontColorIndex(int, int, int) override {}
  void SetInteriorColorIndex(int, int, int) override {}
  void AutoFitColumns(int first, int last) override {
    if (current >= 0) sheets[current].autofits.push_back({first, last});
  }
  bool AddModule(std::string_view name, std::string& error) override {
    return Call("", fail_module, error, "no modules") && (modules.emplace_back(name), true);
  }
  bool InsertFileIntoModule(std::string_view, const std::string& path, std::string&) override {
    return inserted_files.emplace_back(path), true;
  }
  void SetDisplayAlerts(bool display) override {
    calls.push_back(display ? "AlertsOn" : "AlertsOff");
  }
  bool SaveAs(const std::string& path, std::string& error) override {
    return Call("SaveAs", fail_save, error, "in use") && (saved_as.emplace_back(path), true);
  }
  void Quit() override { calls.push_back("Quit"); }

  const Cell& CellOf(const std::string& sheet, int row, int column) const {
    static const Cell kNone;
    for (const Sheet& s : sheets) {
      const auto it = s.cells.find({row, column});
      if (s.name == sheet) return it == s.cells.end() ? kNone : it->second;
    }
    return kNone;
  }
};

struct Harness {
  RecordingSpreadsheet app;
  RecordingMessagePort messages;
  testing::FakeShell shell;
  std::string label;
  std::vector<bool> busy;
  WorkbookWindow window{[this] { return label; }, [this](const std::string& t) { label = t; },
                        [this](bool b) { busy.push_back(b); }};

  bool Build(const std::string& path, bool mars = false) {
    const std::string base = WorkbookBaseName(path);
    WorkbookPlan plan{path,
                      base,
                      "/tmp/" + base + "Temp.txt",
                      [](SpreadsheetApplication& a) { a.SetCellText(1, 1, "row"); },
                      [](SpreadsheetApplication& a) { a.SetCellText(1, 1, "column"); },
                      mars};
    return BuildWorkbook(app, plan, window, messages, shell);
  }
};

TEST(BuildWorkbook, NamesFromTheFileNameWithBlanksAsUnderscores) {
  Harness h;
  h.messages.answers = {MessageAnswer::Yes};
  ASSERT_TRUE(h.Build("/home/u/my model.xls"));
  std::vector<std::string> names;
  for (const auto& sheet : h.app.sheets) names.push_back(sheet.name);
  EXPECT_EQ(names, (std::vector<std::string>{"my_model_1", "my_model_2", "Instructions"}));
  EXPECT_EQ(h.app.CellOf("my_model_1", 1, 1).value, "row");
  EXPECT_EQ(h.app.CellOf("my_model_2", 1, 1).value, "column");
  EXPECT_EQ(h.app.modules, std::vector<std::string>{"my_model_Code"});
  EXPECT_EQ(h.app.inserted_files, std::vector<std::string>{"/tmp/my_modelTemp.txt"});
  EXPECT_EQ(h.app.saved_as, std::vector<std::string>{"/home/u/my model.xls"});
  EXPECT_EQ(h.label, "Files Generated...\r\n/home/u/my model.xls");
  EXPECT_EQ(h.messages.Texts(), "Saving of /home/u/my model.xls complete.\r\nDo you want to look?");
  const testing::RecordedMessage& done = h.messages.messages[0];
  EXPECT_TRUE(done.title == "Done" && done.icon == MessageIcon::Question &&
              done.buttons == MessageButtons::YesNo);
  EXPECT_EQ(h.shell.opened, std::vector<std::string>{"/home/u/my model.xls"});
  EXPECT_EQ(h.busy, (std::vector<bool>{true, false}));
  const std::vector<std::string> tail = {"AlertsOff", "SaveAs", "AlertsOn", "Quit"};
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), h.app.calls.end() - 4));
  // The base name is a usable module name.
  EXPECT_EQ(WorkbookBaseName("/a/b/house prices.xlsm"), "house_prices");
  EXPECT_EQ(WorkbookBaseName("C:\\m\\book.xls"), "book");
  EXPECT_EQ(WorkbookBaseName("/a/2024-model.XLSM"), "W2024_model");
  EXPECT_EQ(WorkbookBaseName("/a/_x.xls"), "W_x");
  EXPECT_EQ(WorkbookBaseName("/a/an extremely long workbook name indeed.xlsm").size(), 26u);
  EXPECT_EQ(CodeFilePath("/tmp/k", "book"), "/tmp/k/bookTemp.txt");
}

// Each failure shows its own message; a failure to start or to save ends the build.
TEST(BuildWorkbook, FailuresAreReportedAndSheetsAddedOnlyUpToThree) {
  struct Case {
    std::string fail, texts;  // what goes wrong, the messages shown
    int critical = -1;        // a message shown as an error
  };
  const std::string saved = "Saving of /t/b.xls complete.\r\nDo you want to look?";
  const Case cases[] = {
      {"start", "There are problems trying to open Microsoft Excel"},
      {"save", "Problems saving this file - it might already exist and be open"},
      {"viewer", saved + "|Error trying to open Microsoft Excel"},
      {"mars module", "There is a problem creating the code module|" + saved, 0},
      {"sheets and module",
       "Problem creating 3 sheets in the workbook.\r\nno more sheets|Error creating b_1\r\nbad "
       "name|Error creating b_2\r\nSubscript out of range|Error creating Instructions\r\n"
       "Subscript out of range|Error creating Code Module\r\nno modules|" +
           saved,
       4},
  };
  for (const Case& c : cases) {
    Harness h;
    h.messages.answers = {MessageAnswer::Yes};
    h.app.fail_start = c.fail == "start";
    h.app.fail_save = c.fail == "save";
    h.shell.document_opens = c.fail != "viewer";
    h.app.fail_module = c.fail.ends_with("module");
    h.app.fail_add_sheet = h.app.fail_name = c.fail.starts_with("sheets");
    const bool built = c.fail != "start" && c.fail != "save";
    EXPECT_EQ(h.Build("/t/b.xls", c.fail.starts_with("mars")), built) << c.fail;
    EXPECT_EQ(h.messages.Texts(), c.texts);
    EXPECT_TRUE(c.critical < 0 || h.messages.messages[c.critical].icon == MessageIcon::Critical);
    EXPECT_EQ(h.app.saved_as.size(), built ? 1u : 0u);
    EXPECT_EQ(h.app.calls.back() == "Quit", !h.app.fail_start);
    EXPECT_EQ(h.busy, (std::vector<bool>{true, false}));
    EXPECT_TRUE(built || h.label == "Files Generated...") << h.label;
  }
  // Sheets are added only up to three.
  for (int initial : {1, 2, 3, 5}) {
    Harness h;
    h.app.initial_sheets = initial;
    ASSERT_TRUE(h.Build("/t/b.xlsm"));
    EXPECT_EQ(h.app.SheetCount(), std::max(initial, 3)) << initial;
    EXPECT_EQ(std::count(h.app.calls.begin(), h.app.calls.end(), "AddSheet"),
              std::max(0, 3 - initial));
    EXPECT_TRUE(h.shell.opened.empty());  // answered No
  }
}

struct SheetFillers : ::testing::Test {
  SheetFillers() {
    std::string error;
    app.AddWorkbook(error);
    app.SelectWorksheet(1, error);
  }
  const RecordingSpreadsheet::Cell& Cell(int row, int column) {
    return app.CellOf("Sheet1", row, column);
  }
  // The autofit ranges asked for, then a clean sheet.
  std::vector<std::pair<int, int>> Autofits() {
    auto autofits = app.sheets[0].autofits;
    app.sheets[0] = {"Sheet1"};
    return autofits;
  }
  RecordingSpreadsheet app;
};

using Ranges = std::vector<std::pair<int, int>>;

TEST_F(SheetFillers, CachedResultsAutofitsAndTheInstructions) {
  const NetworkModel model = testing::CodeTestNetwork(true);
  const WorkbookResults results = NetworkResultsForZeros(model);
  FillRowSheet(app, "c", model, results);
  EXPECT_EQ(std::get<std::string>(Cell(2, 3).cached), std::get<std::string>(results.prediction));
  EXPECT_EQ(std::get<double>(Cell(2, 4).cached), std::get<double>(results.strength));
  EXPECT_EQ(Autofits(), (Ranges{{1, 4}}));
  FillColumnSheet(app, "c", model, results);
  EXPECT_EQ(std::get<double>(Cell(6, 4).cached), std::get<double>(results.strength));
  EXPECT_EQ(Autofits(), (Ranges{{1, 4}}));
  for (const auto& [value, rounded] : {std::pair{123.456789, 123.4568},
                                       {-0.0123456, -0.0123},
                                       {0.00987654321, 0.00987654321},
                                       {-0.01, -0.01}}) {
    EXPECT_EQ(WorkbookRoundedPrediction(value), rounded);
  }
  // MARS sheets for two inputs.
  const MarsModel mars = testing::ParseOk(testing::MarsText(
      "BF1 = max(0, X1 - 2.5);\r\nBF2 = max(0, X2 - 1);\r\n", "1 + BF1 + BF2", "BF1 BF2"));
  FillMarsColumnSheet(app, "m", mars, MarsResultsForZeros(mars));
  EXPECT_EQ(std::get<double>(Cell(6, 2).cached), 1.0);
  EXPECT_EQ(Autofits(), (Ranges{{1, 4}}));
  FillMarsRowSheet(app, "m", mars, MarsResultsForZeros(mars));
  EXPECT_EQ(std::get<double>(Cell(2, 3).cached), 1.0);
  EXPECT_EQ(Autofits(), (Ranges{{1, 3}}));
  // The instructions are one cell of lines.
  FillInstructionSheet(app);
  const std::string text = Cell(1, 1).value;
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(text.rfind("You can use the two sheets created", 0), 0u);
  EXPECT_THAT(text, HasSubstr("produced\n\nIf you have original data"));
  EXPECT_THAT(text, HasSubstr("\n    (tools>>macro>>macros)\n   This will order"));
  EXPECT_EQ(Autofits(), (Ranges{{1, 1}}));
}

PrepareDataMacroInput TwoInputs(std::string_view kind, bool classifier) {
  return {3, "book_CalculateIt", {"A", "B"}, "Y", std::string(kind), classifier};
}

// MARS never has a strength, even with a classifier flag.
TEST(WorkbookModuleText, NamesAndPathsStayInsideTheirStringsAndLines) {
  const std::string mars = PrepareDataMacroText(TwoInputs(kModelKindMars, true));
  EXPECT_EQ(mars.find("Strength"), std::string::npos);
  EXPECT_EQ(mars, PrepareDataMacroText(TwoInputs(kModelKindNetwork, false)));

  // Names stay inside their strings; long ones are cut between whole characters of the
  // string (a doubled quote stays together) or, past one statement, added in later ones.
  PrepareDataMacroInput input{61,
                              "f_CalculateIt",
                              {"say \"hi\"", "line\r\nbreak"},
                              std::string(1950, 'o') + "\"",
                              "KESTRIUM"};
  input.input_names.push_back(std::string(1500, 'q') + "\"");
  input.input_names.push_back(std::string(25000, 'n'));
  for (int i = 5; i <= 60; ++i) input.input_names.push_back("V" + std::to_string(i));
  const std::string text = PrepareDataMacroText(input);
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    EXPECT_LE(end - start, 1023u) << text.substr(start, 40);
  }
  for (const char* piece :
       {"      RequiredVariables(1) = \"say \"\"hi\"\"\"\r\n",
        "      RequiredVariables(2) = \"line  break\"\r\n", "qqq\"\"\"\r\n",
        "\" & _\r\n        \"qqq", "\r\n      RequiredVariables(4) = RequiredVariables(4) & \"nnn",
        "Const NumberOfInputsPlusOutput As Integer = 61\r\n",
        "      RequiredVariables(60) = \"V60\"\r\n      RequiredVariables(61) = \"ooo",
        "ooo\"\"\"\r\n      'existing output"}) {
    EXPECT_THAT(text, HasSubstr(piece));
  }
  EXPECT_EQ(text.rfind("\r\n"), text.size() - 14);  // ends with "End Function"
  const std::string header = MarsModuleHeaderBlock("a\r\nMsgBox 1", "now");
  EXPECT_THAT(header, HasSubstr("'MARS rules file: a  MsgBox 1\r\n"));
}

}  // namespace
}  // namespace kdk
