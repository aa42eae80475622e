#pragma once

#include <string>
#include <string_view>

namespace kdk {

inline constexpr std::string_view kInstructionsSheetName = "Instructions";
inline constexpr std::string_view kWorkbookFileFilter =
    "Excel Files (*.xls)|*.xls|Excel Macro-Enabled Workbook (*.xlsm)|*.xlsm";
// The macro-enabled entry is the one the save dialog preselects (counted from 1).
inline constexpr int kWorkbookFilterPreselected = 2;

// The base of every name in a workbook, from the path it is saved to: the file name
// without its extension (".xls" or ".xlsm"), trimmed, blanks as "_". Characters a code
// module name cannot hold become "_" too, a leading digit or "_" gets a "W" before it,
// and the base is cut to 26 characters so that the module name base + "_Code" stays
// within the 31 characters a module or sheet name may have.
std::string WorkbookBaseName(std::string_view save_path);

struct WorkbookNames {
  std::string row_sheet;     // base + "_1"
  std::string column_sheet;  // base + "_2"
  std::string instructions;  // "Instructions"
  std::string module;        // base + "_Code"
  std::string function;      // base + "_CalculateIt"
};

WorkbookNames NamesOfWorkbook(std::string_view base);

// Where the code module's text is written before it is inserted: `folder`, then base +
// "Temp.txt".
std::string CodeFilePath(std::string_view folder, std::string_view base);

}  // namespace kdk
