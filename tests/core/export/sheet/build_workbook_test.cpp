#include "core/export/sheet/build_workbook.h"

#include <gtest/gtest.h>

#include "core/export/sheet/recording_spreadsheet.h"
#include "core/export/sheet/workbook_names.h"
#include "fakes/fake_ports.h"

namespace kdk {
namespace {

using testing::RecordingMessagePort;
using testing::RecordingSpreadsheet;

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

TEST(BuildWorkbook, BlanksInTheFileNameBecomeUnderscores) {
  Harness h;
  h.messages.answers = {MessageAnswer::Yes};
  ASSERT_TRUE(h.Build("/home/u/my model.xls"));
  ASSERT_EQ(h.app.sheets.size(), 3u);
  EXPECT_EQ(h.app.sheets[0].name, "my_model_1");
  EXPECT_EQ(h.app.sheets[1].name, "my_model_2");
  EXPECT_EQ(h.app.sheets[2].name, "Instructions");
  EXPECT_EQ(h.app.CellOf("my_model_1", 1, 1).value, "row");
  EXPECT_EQ(h.app.CellOf("my_model_2", 1, 1).value, "column");
  EXPECT_EQ(h.app.modules, std::vector<std::string>{"my_model_Code"});
  EXPECT_EQ(h.app.inserted_files, std::vector<std::string>{"/tmp/my_modelTemp.txt"});
  EXPECT_EQ(h.app.saved_as, std::vector<std::string>{"/home/u/my model.xls"});
  EXPECT_EQ(NamesOfWorkbook("my_model").function, "my_model_CalculateIt");
  EXPECT_EQ(h.label, "Files Generated...\r\n/home/u/my model.xls");
  ASSERT_EQ(h.messages.messages.size(), 1u);
  EXPECT_EQ(h.messages.messages[0].text,
            "Saving of /home/u/my model.xls complete.\r\nDo you want to look?");
  EXPECT_EQ(h.messages.messages[0].title, "Done");
  EXPECT_EQ(h.messages.messages[0].icon, MessageIcon::Question);
  EXPECT_EQ(h.messages.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(h.shell.opened, std::vector<std::string>{"/home/u/my model.xls"});
  EXPECT_EQ(h.busy, (std::vector<bool>{true, false}));
  const std::vector<std::string> tail = {"AlertsOff", "SaveAs", "AlertsOn", "Quit"};
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), h.app.calls.end() - 4));
}

TEST(BuildWorkbook, SheetsAreAddedOnlyUpToThree) {
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

// Each failure shows its own message; a failure to start or to save ends the build.
TEST(BuildWorkbook, FailuresAreReported) {
  struct Case {
    std::string fail;  // what goes wrong
    std::vector<std::string> texts;
    int critical = -1;  // a message shown as an error
  };
  const std::string saved = "Saving of /t/b.xls complete.\r\nDo you want to look?";
  const Case cases[] = {
      {"start", {"There are problems trying to open Microsoft Excel"}},
      {"save", {"Problems saving this file - it might already exist and be open"}},
      {"viewer", {saved, "Error trying to open Microsoft Excel"}},
      {"mars module", {"There is a problem creating the code module", saved}, 0},
      {"sheets and module",
       {"Problem creating 3 sheets in the workbook.\r\nno more sheets",
        "Error creating b_1\r\nbad name", "Error creating b_2\r\nSubscript out of range",
        "Error creating Instructions\r\nSubscript out of range",
        "Error creating Code Module\r\nno modules", saved},
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
    std::vector<std::string> texts;
    for (const auto& m : h.messages.messages) texts.push_back(m.text);
    EXPECT_EQ(texts, c.texts);
    if (c.critical >= 0) {
      EXPECT_EQ(h.messages.messages[c.critical].icon, MessageIcon::Critical);
    }
    EXPECT_EQ(h.app.saved_as.size(), built ? 1u : 0u);
    if (!h.app.fail_start) {
      EXPECT_EQ(h.app.calls.back(), "Quit");
    }
    EXPECT_EQ(h.busy, (std::vector<bool>{true, false}));
    if (!built) {
      EXPECT_EQ(h.label, "Files Generated...");
    }
  }
}

TEST(WorkbookNames, BaseNameIsAUsableModuleName) {
  EXPECT_EQ(WorkbookBaseName("/a/b/house prices.xlsm"), "house_prices");
  EXPECT_EQ(WorkbookBaseName("C:\\m\\book.xls"), "book");
  EXPECT_EQ(WorkbookBaseName("/a/2024-model.XLSM"), "W2024_model");
  EXPECT_EQ(WorkbookBaseName("/a/_x.xls"), "W_x");
  EXPECT_EQ(WorkbookBaseName("/a/an extremely long workbook name indeed.xlsm").size(), 26u);
  EXPECT_EQ(CodeFilePath("/tmp/k", "book"), "/tmp/k/bookTemp.txt");
}

}  // namespace
}  // namespace kdk
