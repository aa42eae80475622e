#pragma once

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
    bool is_formula = false;
    bool locked = true;
    int font = 0, fill = 0;
    CellResult cached;
  };
  struct Sheet {
    std::string name;
    std::map<std::pair<int, int>, Cell> cells;
    std::vector<std::pair<int, int>> autofits;
  };

  bool fail_start = false, fail_add_sheet = false, fail_name = false, fail_module = false,
       fail_save = false;
  int initial_sheets = 1;

  std::vector<Sheet> sheets;
  std::vector<std::string> modules, inserted_files, saved_as;
  std::vector<std::string> calls;
  int current = -1;

  bool Start(std::string& error) override {
    calls.push_back("Start");
    if (fail_start) error = "cannot start";
    return !fail_start;
  }
  bool AddWorkbook(std::string&) override {
    calls.push_back("AddWorkbook");
    for (int i = 1; i <= initial_sheets; ++i)
      sheets.push_back({"Sheet" + std::to_string(i), {}, {}});
    return true;
  }
  int SheetCount() const override { return static_cast<int>(sheets.size()); }
  bool AddSheet(std::string& error) override {
    calls.push_back("AddSheet");
    if (fail_add_sheet) {
      error = "no more sheets";
      return false;
    }
    sheets.push_back({"Sheet" + std::to_string(sheets.size() + 1), {}, {}});
    return true;
  }
  bool SelectWorksheet(int n, std::string& error) override {
    if (n < 1 || n > SheetCount()) {
      error = "Subscript out of range";
      current = -1;
      return false;
    }
    current = n - 1;
    return true;
  }
  bool SetWorksheetName(std::string_view name, std::string& error) override {
    if (fail_name) {
      error = "bad name";
      return false;
    }
    sheets[current].name = std::string(name);
    return true;
  }
  Cell* At(int row, int column) {
    if (current < 0) return nullptr;
    return &sheets[current].cells[{row, column}];
  }
  void SetCellText(int row, int column, std::string_view text) override {
    if (Cell* c = At(row, column)) c->value = std::string(text);
  }
  void SetCellNumber(int row, int column, double value) override {
    if (Cell* c = At(row, column)) {
      char digits[40];
      std::snprintf(digits, sizeof digits, "%.15G", value);
      c->value = digits;
    }
  }
  void SetCellFormulaR1C1(int row, int column, std::string_view formula,
                          const CellResult& cached) override {
    if (Cell* c = At(row, column)) {
      c->value = std::string(formula);
      c->is_formula = true;
      c->cached = cached;
    }
  }
  void SetCellLocked(int row, int column, bool locked) override {
    if (Cell* c = At(row, column)) c->locked = locked;
  }
  void SetFontColorIndex(int row, int column, int index) override {
    if (Cell* c = At(row, column)) c->font = index;
  }
  void SetInteriorColorIndex(int row, int column, int index) override {
    if (Cell* c = At(row, column)) c->fill = index;
  }
  void AutoFitColumns(int first, int last) override {
    if (current >= 0) sheets[current].autofits.push_back({first, last});
  }
  bool AddModule(std::string_view name, std::string& error) override {
    if (fail_module) {
      error = "no modules";
      return false;
    }
    modules.push_back(std::string(name));
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
    calls.push_back("SaveAs");
    if (fail_save) {
      error = "in use";
      return false;
    }
    saved_as.push_back(path);
    return true;
  }
  void Quit() override { calls.push_back("Quit"); }

  const Cell& CellOf(const std::string& sheet, int row, int column) {
    static const Cell kNone;
    for (const Sheet& s : sheets) {
      if (s.name == sheet) {
        auto it = s.cells.find({row, column});
        return it == s.cells.end() ? kNone : it->second;
      }
    }
    return kNone;
  }
};

}  // namespace kdk::testing
