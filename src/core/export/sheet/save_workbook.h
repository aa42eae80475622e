#pragma once

#include <string>

#include "core/export/generation_stamp.h"
#include "core/export/sheet/build_workbook.h"
#include "core/workspace.h"

namespace kdk {

// What a workbook save needs from outside the core.
struct WorkbookSaveContext {
  SpreadsheetApplication& app;
  MessagePort& messages;
  ShellPort& shell;
  WorkbookWindow& window;
  std::string code_folder;  // where the private temporary code file is made ("": $TMPDIR)
};

// The network workbook's Save after the dialog and the readiness check: the code file,
// the workbook, then the code file deleted. True when the workbook was saved.
bool SaveNetworkWorkbook(const Workspace& workspace, const GenerationStamp& stamp,
                         const std::string& save_path, WorkbookSaveContext& context);

// The same for the loaded MARS model; `stamp.created` dates the module.
bool SaveMarsWorkbook(const Workspace& workspace, const GenerationStamp& stamp,
                      const std::string& save_path, WorkbookSaveContext& context);

}  // namespace kdk
