#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace kdk {

// Palette indices of the spreadsheet application's default palette.
inline constexpr int kPaletteYellow = 27;
inline constexpr int kPaletteIndigo = 55;

// A formula's result as the workbook stores it for a viewer that does not compute:
// nothing, a number or a text.
using CellResult = std::variant<std::monostate, double, std::string>;

// What the workbook builders ask of a spreadsheet application: the automation
// operations they use, one call each. Rows and columns are numbered from 1, as the
// application numbers them. Operations that can fail return false and describe the
// failure in `error`, as the application's pending error would.
class SpreadsheetApplication {
 public:
  virtual ~SpreadsheetApplication() = default;

  // Whether the application can save to this path at all (its format, say); when not,
  // `reason` says why in words for the user. Asked before anything is built.
  virtual bool CanSaveAs(const std::string& path, std::string& reason) {
    (void)path;
    (void)reason;
    return true;
  }

  // Starts a hidden instance for building.
  virtual bool Start(std::string& error) = 0;
  // Workbooks.Add
  virtual bool AddWorkbook(std::string& error) = 0;
  // Sheets.Count; Sheets.Add
  virtual int SheetCount() const = 0;
  virtual bool AddSheet(std::string& error) = 0;
  // Worksheets(n), which the cell operations below then address; its Name.
  virtual bool SelectWorksheet(int n, std::string& error) = 0;
  virtual bool SetWorksheetName(std::string_view name, std::string& error) = 0;

  // Cells(row, column).Value with text: text that reads as a number is stored as one.
  virtual void SetCellText(int row, int column, std::string_view text) = 0;
  virtual void SetCellNumber(int row, int column, double value) = 0;
  // Cells(row, column).FormulaR1C1, with the result to keep for viewers that do not
  // compute.
  virtual void SetCellFormulaR1C1(int row, int column, std::string_view formula,
                                  const CellResult& cached) = 0;
  virtual void SetCellLocked(int row, int column, bool locked) = 0;
  virtual void SetFontColorIndex(int row, int column, int palette_index) = 0;
  virtual void SetInteriorColorIndex(int row, int column, int palette_index) = 0;
  // Columns(first:last).AutoFit
  virtual void AutoFitColumns(int first, int last) = 0;

  // Modules.Add with its Name; Modules(name).InsertFile(path).
  virtual bool AddModule(std::string_view name, std::string& error) = 0;
  virtual bool InsertFileIntoModule(std::string_view name, const std::string& path,
                                    std::string& error) = 0;

  virtual void SetDisplayAlerts(bool display) = 0;
  // Workbooks(1).SaveAs filename:=path
  virtual bool SaveAs(const std::string& path, std::string& error) = 0;
  virtual void Quit() = 0;
};

}  // namespace kdk
