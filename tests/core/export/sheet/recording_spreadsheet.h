#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/export/sheet/spreadsheet_application.h"

namespace kdk::testing {

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
    if (!Call("AddSheet", fail_add_sheet, error, "no more sheets")) return false;
    sheets.push_back({"Sheet" + std::to_string(sheets.size() + 1)});
    return true;
  }
  bool SelectWorksheet(int n, std::string& error) override {
    current = n < 1 || n > SheetCount() ? -1 : n - 1;
    return Call("", current < 0, error, "Subscript out of range");
  }
  bool SetWorksheetName(std::string_view name, std::string& error) override {
    if (!Call("", fail_name, error, "bad name")) return false;
    sheets[current].name = std::string(name);
    return true;
  }
  Cell* At(int row, int column) {
    return current < 0 ? nullptr : &sheets[current].cells[{row, column}];
  }
  void SetCellText(int row, int column, std::string_view text) override {
    if (Cell* c = At(row, column)) c->value = std::string(text);
  }
  void SetCellNumber(int row, int column, double value) override {
    char digits[40];
    std::snprintf(digits, sizeof digits, "%.15G", value);
    SetCellText(row, column, digits);
  }
  void SetCellFormulaR1C1(int row, int column, std::string_view formula,
                          const CellResult& cached) override {
    if (Cell* c = At(row, column)) *c = {std::string(formula), cached};
  }
  // Colours and locking are checked in LibreOffice by the office suite.
  void SetCellLocked(int, int, bool) override {}
  void SetFontColorIndex(int, int, int) override {}
  void SetInteriorColorIndex(int, int, int) override {}
  void AutoFitColumns(int first, int last) override {
    if (current >= 0) sheets[current].autofits.push_back({first, last});
  }
  bool AddModule(std::string_view name, std::string& error) override {
    if (!Call("", fail_module, error, "no modules")) return false;
    modules.emplace_back(name);
    return true;
  }
  bool InsertFileIntoModule(std::string_view, const std::string& path, std::string&) override {
    inserted_files.push_back(path);
    return true;
  }
  void SetDisplayAlerts(bool display) override {
    calls.push_back(display ? "AlertsOn" : "AlertsOff");
  }
  bool SaveAs(const std::string& path, std::string& error) override {
    if (!Call("SaveAs", fail_save, error, "in use")) return false;
    saved_as.push_back(path);
    return true;
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

}  // namespace kdk::testing
