#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/export/sheet/spreadsheet_application.h"
#include "core/ports/message_port.h"
#include "core/ports/shell_port.h"

namespace kdk {

// What a converter window lets the build touch: its progress label and the pointer.
struct WorkbookWindow {
  std::function<std::string()> progress;  // the label's caption
  std::function<void(const std::string&)> set_progress;
  std::function<void(bool)> set_busy;  // busy pointer on / off, then pending events run
};

// One workbook to build: where it goes, its base name, the code file to insert, and the
// fillers of its two data sheets.
struct WorkbookPlan {
  std::string save_path;
  std::string base;
  std::string code_file_path;
  std::function<void(SpreadsheetApplication&)> fill_row_sheet;
  std::function<void(SpreadsheetApplication&)> fill_column_sheet;
  // The MARS workbook reports a failed module with its own message and no description.
  bool mars_module_message = false;
};

inline constexpr std::string_view kCannotOpenSpreadsheet =
    "There are problems trying to open Microsoft Excel";
inline constexpr std::string_view kCannotSaveWorkbook =
    "Problems saving this file - it might already exist and be open";
inline constexpr std::string_view kCannotShowWorkbook = "Error trying to open Microsoft Excel";
inline constexpr std::string_view kCodeModuleError = "Error creating Code Module";
inline constexpr std::string_view kMarsCodeModuleError =
    "There is a problem creating the code module";

// Builds and saves the workbook through the spreadsheet application: three named sheets,
// the code module from the code file, saved over any file at the path. Reports every
// failure with its message; sheet and module problems do not stop the build. On success
// asks whether to look and opens the workbook with its default application on Yes.
// True when the workbook was saved.
bool BuildWorkbook(SpreadsheetApplication& app, const WorkbookPlan& plan, WorkbookWindow& window,
                   MessagePort& messages, ShellPort& shell);

}  // namespace kdk
