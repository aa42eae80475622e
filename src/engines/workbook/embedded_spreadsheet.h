#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/export/sheet/spreadsheet_application.h"

namespace kdk::workbook {

// The spreadsheet application on this machine: it keeps the workbook in memory and, on
// SaveAs, writes a macro-enabled workbook (.xlsm) with libxlsxwriter and a VBA project
// built here (document modules for the workbook and each sheet, plus the code modules).
class EmbeddedSpreadsheet : public SpreadsheetApplication {
 public:
  bool CanSaveAs(const std::string& path, std::string& reason) override;
  bool Start(std::string& error) override;
  bool AddWorkbook(std::string& error) override;
  int SheetCount() const override;
  bool AddSheet(std::string& error) override;
  bool SelectWorksheet(int n, std::string& error) override;
  bool SetWorksheetName(std::string_view name, std::string& error) override;
  void SetCellText(int row, int column, std::string_view text) override;
  void SetCellNumber(int row, int column, double value) override;
  void SetCellFormulaR1C1(int row, int column, std::string_view formula,
                          const CellResult& cached) override;
  void SetCellLocked(int row, int column, bool locked) override;
  void SetFontColorIndex(int row, int column, int palette_index) override;
  void SetInteriorColorIndex(int row, int column, int palette_index) override;
  void AutoFitColumns(int first, int last) override;
  bool AddModule(std::string_view name, std::string& error) override;
  bool InsertFileIntoModule(std::string_view name, const std::string& path,
                            std::string& error) override;
  void SetDisplayAlerts(bool display) override;
  bool SaveAs(const std::string& path, std::string& error) override;
  void Quit() override;

  struct Cell {
    enum class Kind { Empty, Text, Number, Formula } kind = Kind::Empty;
    std::string text;   // text, or the formula in A1 notation
    double number = 0;  // number
    CellResult cached;  // formula result
    bool locked = true;
    int font_colour = 0;  // palette index, 0 for automatic
    int fill_colour = 0;
  };
  struct Sheet {
    std::string name;
    std::map<std::pair<int, int>, Cell> cells;  // (row, column) from 1
    std::map<int, double> column_widths;        // column from 1, in characters
  };
  struct Module {
    std::string name;
    std::string source;
  };

  const std::vector<Sheet>& Sheets() const { return sheets_; }
  const std::vector<Module>& Modules() const { return modules_; }

 private:
  Cell* CurrentCell(int row, int column);
  bool WriteMacroWorkbook(const std::string& path, std::string& error);
  bool BuildMacroWorkbook(const std::string& book_path, std::string& error);

  bool started_ = false;
  bool has_workbook_ = false;
  std::vector<Sheet> sheets_;
  std::vector<Module> modules_;
  int current_ = -1;
};

// The RGB colour of a palette index of the default palette; nullopt when unknown.
std::optional<unsigned> DefaultPaletteColour(int palette_index);

}  // namespace kdk::workbook
