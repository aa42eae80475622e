#include "engines/workbook/embedded_spreadsheet.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <tuple>

#include "core/common/model_text.h"
#include "core/common/output_file.h"
#include "core/common/temporary_file.h"
#include "engines/workbook/legacy_format.h"
#include "engines/workbook/r1c1_formula.h"
#include "engines/workbook/vba_project.h"

namespace kdk::workbook {
namespace {

constexpr std::size_t kLongestSheetName = 31;

// Text the application stores as a number: a plain decimal number and nothing else.
std::optional<double> NumberInText(std::string_view text) {
  if (text.empty() || text.front() == ' ' || text.back() == ' ') return std::nullopt;
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc{} || ptr != end) return std::nullopt;
  return value;
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// The text a cell shows, for fitting its column: the longest of its lines.
std::size_t ShownLength(const EmbeddedSpreadsheet::Cell& cell) {
  std::string shown;
  switch (cell.kind) {
    case EmbeddedSpreadsheet::Cell::Kind::Empty:
      return 0;
    case EmbeddedSpreadsheet::Cell::Kind::Text:
      shown = cell.text;
      break;
    case EmbeddedSpreadsheet::Cell::Kind::Number: {
      char digits[32];
      std::snprintf(digits, sizeof digits, "%.10G", cell.number);
      shown = digits;
      break;
    }
    case EmbeddedSpreadsheet::Cell::Kind::Formula:
      if (const double* value = std::get_if<double>(&cell.cached)) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.10G", *value);
        shown = digits;
      } else if (const std::string* text = std::get_if<std::string>(&cell.cached)) {
        shown = *text;
      }
      break;
  }
  std::size_t longest = 0, current = 0;
  for (char c : shown) {
    if (c == '\n') {
      longest = std::max(longest, current);
      current = 0;
    } else {
      ++current;
    }
  }
  return std::max(longest, current);
}

// Every file the save writes goes beside the target first, then is renamed over it.
class FormatCache {
 public:
  explicit FormatCache(lxw_workbook* workbook) : workbook_(workbook) {}
  lxw_format* For(const EmbeddedSpreadsheet::Cell& cell, bool wrap) {
    if (cell.locked && cell.font_colour == 0 && cell.fill_colour == 0 && !wrap) return nullptr;
    const auto key = std::make_tuple(cell.locked, cell.font_colour, cell.fill_colour, wrap);
    auto found = formats_.find(key);
    if (found != formats_.end()) return found->second;
    lxw_format* format = workbook_add_format(workbook_);
    if (!cell.locked) format_set_unlocked(format);
    if (auto rgb = DefaultPaletteColour(cell.font_colour)) format_set_font_color(format, *rgb);
    if (auto rgb = DefaultPaletteColour(cell.fill_colour)) {
      format_set_pattern(format, LXW_PATTERN_SOLID);
      format_set_bg_color(format, *rgb);
    }
    if (wrap) format_set_text_wrap(format);
    formats_.emplace(key, format);
    return format;
  }

 private:
  lxw_workbook* workbook_;
  std::map<std::tuple<bool, int, int, bool>, lxw_format*> formats_;
};

}  // namespace

std::optional<unsigned> DefaultPaletteColour(int palette_index) {
  // The default palette's first eight colours and the two the workbooks use.
  switch (palette_index) {
    case 1:
      return 0x000000;
    case 2:
      return 0xFFFFFF;
    case 3:
      return 0xFF0000;
    case 4:
      return 0x00FF00;
    case 5:
      return 0x0000FF;
    case 6:
      return 0xFFFF00;
    case 7:
      return 0xFF00FF;
    case 8:
      return 0x00FFFF;
    case 27:
      return 0xFFFF00;
    case 55:
      return 0x333399;
    default:
      return std::nullopt;
  }
}

bool EmbeddedSpreadsheet::Start(std::string&) {
  started_ = true;
  return true;
}

bool EmbeddedSpreadsheet::AddWorkbook(std::string& error) {
  if (!started_) {
    error = "The application is not running.";
    return false;
  }
  has_workbook_ = true;
  sheets_.assign(1, Sheet{"Sheet1", {}, {}});
  modules_.clear();
  current_ = 0;
  return true;
}

int EmbeddedSpreadsheet::SheetCount() const {
  return static_cast<int>(sheets_.size());
}

bool EmbeddedSpreadsheet::AddSheet(std::string& error) {
  if (!has_workbook_) {
    error = "There is no workbook.";
    return false;
  }
  int number = static_cast<int>(sheets_.size()) + 1;
  auto taken = [this](const std::string& name) {
    return std::any_of(sheets_.begin(), sheets_.end(),
                       [&](const Sheet& s) { return LowerAscii(s.name) == LowerAscii(name); });
  };
  while (taken("Sheet" + std::to_string(number))) ++number;
  sheets_.push_back(Sheet{"Sheet" + std::to_string(number), {}, {}});
  return true;
}

bool EmbeddedSpreadsheet::SelectWorksheet(int n, std::string& error) {
  if (n < 1 || n > SheetCount()) {
    error = "Subscript out of range";
    current_ = -1;
    return false;
  }
  current_ = n - 1;
  return true;
}

bool EmbeddedSpreadsheet::SetWorksheetName(std::string_view name, std::string& error) {
  if (current_ < 0) {
    error = "No sheet is selected.";
    return false;
  }
  const bool bad_character = name.find_first_of("[]:*?/\\") != std::string_view::npos;
  if (name.empty() || name.size() > kLongestSheetName || bad_character || name.front() == '\'' ||
      name.back() == '\'') {
    error = "The sheet name is not valid: " + std::string(name);
    return false;
  }
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    if (static_cast<int>(i) != current_ && LowerAscii(sheets_[i].name) == LowerAscii(name)) {
      error = "Another sheet already has the name " + std::string(name);
      return false;
    }
  }
  sheets_[current_].name = std::string(name);
  return true;
}

EmbeddedSpreadsheet::Cell* EmbeddedSpreadsheet::CurrentCell(int row, int column) {
  if (current_ < 0 || row < 1 || column < 1) return nullptr;
  return &sheets_[current_].cells[{row, column}];
}

void EmbeddedSpreadsheet::SetCellText(int row, int column, std::string_view text) {
  Cell* cell = CurrentCell(row, column);
  if (!cell) return;
  if (const std::optional<double> number = NumberInText(text)) {
    cell->kind = Cell::Kind::Number;
    cell->number = *number;
    return;
  }
  // Text is kept as text, even when it begins with "=": names never become formulas.
  cell->kind = text.empty() ? Cell::Kind::Empty : Cell::Kind::Text;
  cell->text = std::string(text);
}

void EmbeddedSpreadsheet::SetCellNumber(int row, int column, double value) {
  if (Cell* cell = CurrentCell(row, column)) {
    cell->kind = Cell::Kind::Number;
    cell->number = value;
  }
}

void EmbeddedSpreadsheet::SetCellFormulaR1C1(int row, int column, std::string_view formula,
                                             const CellResult& cached) {
  Cell* cell = CurrentCell(row, column);
  if (!cell) return;
  std::string a1;
  if (!R1C1ToA1(formula, row, column, a1)) a1 = "=#REF!";
  cell->kind = Cell::Kind::Formula;
  cell->text = a1;
  cell->cached = cached;
}

void EmbeddedSpreadsheet::SetCellLocked(int row, int column, bool locked) {
  if (Cell* cell = CurrentCell(row, column)) cell->locked = locked;
}

void EmbeddedSpreadsheet::SetFontColorIndex(int row, int column, int palette_index) {
  if (Cell* cell = CurrentCell(row, column)) cell->font_colour = palette_index;
}

void EmbeddedSpreadsheet::SetInteriorColorIndex(int row, int column, int palette_index) {
  if (Cell* cell = CurrentCell(row, column)) cell->fill_colour = palette_index;
}

void EmbeddedSpreadsheet::AutoFitColumns(int first, int last) {
  if (current_ < 0) return;
  Sheet& sheet = sheets_[current_];
  for (int column = first; column <= last; ++column) {
    std::size_t longest = 0;
    for (const auto& [where, cell] : sheet.cells) {
      if (where.second == column) longest = std::max(longest, ShownLength(cell));
    }
    // About one character's width a character, plus the cell's margins.
    sheet.column_widths[column] = longest == 0 ? 8.43 : static_cast<double>(longest) * 1.1 + 2;
  }
}

bool EmbeddedSpreadsheet::AddModule(std::string_view name, std::string& error) {
  if (!has_workbook_) {
    error = "There is no workbook.";
    return false;
  }
  const bool valid =
      !name.empty() && name.size() <= kLongestSheetName &&
      std::all_of(name.begin(), name.end(),
                  [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }) &&
      std::isalpha(static_cast<unsigned char>(name.front()));
  const bool taken = std::any_of(modules_.begin(), modules_.end(), [&](const Module& m) {
    return LowerAscii(m.name) == LowerAscii(name);
  });
  if (!valid || taken || LowerAscii(name) == "thisworkbook") {
    error = "The module name is not valid: " + std::string(name);
    return false;
  }
  modules_.push_back({std::string(name), ""});
  return true;
}

bool EmbeddedSpreadsheet::InsertFileIntoModule(std::string_view name, const std::string& path,
                                               std::string& error) {
  auto module = std::find_if(modules_.begin(), modules_.end(),
                             [&](const Module& m) { return m.name == name; });
  if (module == modules_.end()) {
    error = "Subscript out of range";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "File not found: " + path;
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  module->source.append(text.str());
  return true;
}

void EmbeddedSpreadsheet::SetDisplayAlerts(bool) {
  // Saving always replaces an existing file; there is no prompt to suppress.
}

bool EmbeddedSpreadsheet::CanSaveAs(const std::string& path, std::string& reason) {
  if (IsLegacyWorkbookPath(path) && FindOffice().empty()) {
    reason =
        "The legacy Excel format (.xls) is made with LibreOffice, which is not installed. "
        "Save as an Excel Macro-Enabled Workbook (.xlsm), or install LibreOffice.";
    return false;
  }
  return true;
}

bool EmbeddedSpreadsheet::SaveAs(const std::string& path, std::string& error) {
  if (!has_workbook_) {
    error = "There is no workbook.";
    return false;
  }
  if (!IsLegacyWorkbookPath(path)) return WriteMacroWorkbook(path, error);
  const std::string office = FindOffice();
  if (office.empty()) {
    error = "LibreOffice is not installed.";
    return false;
  }
  PrivateFolder work;
  if (!work.Create("kdk-xls-", error)) return false;
  const std::string xlsm = work.path() + "/workbook.xlsm";
  return BuildMacroWorkbook(xlsm, error) && ConvertToLegacy(office, xlsm, path, error);
}

bool EmbeddedSpreadsheet::WriteMacroWorkbook(const std::string& path, std::string& error) {
  // Built in a private folder, then handed to the output writer as one file.
  PrivateFolder work;
  if (!work.Create("kdk-xlsm-", error)) return false;
  const std::string book_path = work.path() + "/workbook.xlsm";
  return BuildMacroWorkbook(book_path, error) && CopyToOutputFile(path, book_path, error);
}

bool EmbeddedSpreadsheet::BuildMacroWorkbook(const std::string& book_path, std::string& error) {
  std::vector<VbaModule> vba = DocumentModules(SheetCount());
  for (const Module& module : modules_) {
    vba.push_back({module.name, VbaModuleKind::Standard, module.source});
  }
  const std::string project_path = book_path + ".vba";
  if (!WriteOutputFile(project_path, VbaProjectBytes(vba), error)) return false;

  lxw_workbook* workbook = workbook_new(book_path.c_str());
  if (!workbook) {
    error = "Cannot write " + book_path;
    return false;
  }
  FormatCache formats(workbook);
  // The workbook's parts are UTF-8 XML; text reaches this object in the code page of
  // model text and is converted here. The VBA project keeps the code page.
  for (const Sheet& sheet : sheets_) {
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, Cp1252ToUtf8(sheet.name).c_str());
    if (!worksheet) {
      error = "The sheet name is not valid: " + sheet.name;
      workbook_close(workbook);
      return false;
    }
    for (const auto& [column, width] : sheet.column_widths) {
      worksheet_set_column(worksheet, static_cast<lxw_col_t>(column - 1),
                           static_cast<lxw_col_t>(column - 1), width, nullptr);
    }
    for (const auto& [where, cell] : sheet.cells) {
      const auto row = static_cast<lxw_row_t>(where.first - 1);
      const auto col = static_cast<lxw_col_t>(where.second - 1);
      const bool wrap = cell.kind == Cell::Kind::Text && cell.text.find('\n') != std::string::npos;
      lxw_format* format = formats.For(cell, wrap);
      switch (cell.kind) {
        case Cell::Kind::Empty:
          worksheet_write_blank(worksheet, row, col, format);
          break;
        case Cell::Kind::Text:
          worksheet_write_string(worksheet, row, col, Cp1252ToUtf8(cell.text).c_str(), format);
          break;
        case Cell::Kind::Number:
          worksheet_write_number(worksheet, row, col, cell.number, format);
          break;
        case Cell::Kind::Formula:
          if (const std::string* text = std::get_if<std::string>(&cell.cached)) {
            worksheet_write_formula_str(worksheet, row, col, Cp1252ToUtf8(cell.text).c_str(),
                                        format, Cp1252ToUtf8(*text).c_str());
          } else {
            const double* value = std::get_if<double>(&cell.cached);
            worksheet_write_formula_num(worksheet, row, col, Cp1252ToUtf8(cell.text).c_str(),
                                        format, value ? *value : 0);
          }
          break;
      }
    }
  }
  workbook_add_vba_project(workbook, project_path.c_str());
  const lxw_error result = workbook_close(workbook);
  if (result != LXW_NO_ERROR) {
    error = lxw_strerror(result);
    return false;
  }
  return true;
}

void EmbeddedSpreadsheet::Quit() {
  started_ = false;
  has_workbook_ = false;
  sheets_.clear();
  modules_.clear();
  current_ = -1;
}

}  // namespace kdk::workbook
