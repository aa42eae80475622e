#include "core/export/sheet/save_workbook.h"

#include "core/common/temporary_file.h"
#include "core/export/sheet/sheet_fillers.h"
#include "core/export/sheet/workbook_form_pieces.h"
#include "core/export/sheet/workbook_names.h"
#include "core/mars/generated_file.h"
#include "core/network/evaluate_network.h"

namespace kdk {
namespace {

// The code module goes to a private temporary file (never a fixed name in a shared
// folder), removed whether or not the workbook is saved.
bool BuildFromCodeFile(WorkbookPlan plan, const std::string& code_text,
                       WorkbookSaveContext& context) {
  std::string reason;
  if (!context.app.CanSaveAs(plan.save_path, reason)) {
    context.messages.Inform(reason, MessageIcon::Exclamation);
    return false;
  }
  context.window.set_busy(true);
  std::string error;
  TemporaryFile code_file;
  const bool written =
      code_file.Create(context.code_folder, plan.base + "Temp-", ".txt", code_text, error);
  context.window.set_busy(false);
  if (!written) {
    context.messages.Inform("The code module could not be written: " + error,
                            MessageIcon::Critical);
    return false;
  }
  plan.code_file_path = code_file.path();
  return BuildWorkbook(context.app, plan, context.window, context.messages, context.shell);
}

}  // namespace

bool SaveNetworkWorkbook(const Workspace& workspace, const GenerationStamp& stamp,
                         const std::string& save_path, WorkbookSaveContext& context) {
  if (RefuseModelFileAsOutput(workspace.state.model_path, save_path, context.messages)) {
    return false;
  }
  const NetworkModel& model = workspace.network;
  const std::string unscalable = UnscalableInputMessage(model);
  if (!unscalable.empty()) {
    context.messages.Inform(unscalable, MessageIcon::Exclamation);
    return false;
  }
  const std::string base = WorkbookBaseName(save_path);
  const WorkbookResults results = NetworkResultsForZeros(model);
  WorkbookPlan plan{
      save_path,
      base,
      {},
      [&](SpreadsheetApplication& app) { FillRowSheet(app, base, model, results); },
      [&](SpreadsheetApplication& app) { FillColumnSheet(app, base, model, results); },
      false};
  const std::string code = NetworkCodeModuleText(NetworkWorkbookPieces(model, stamp), base, model);
  return BuildFromCodeFile(plan, code, context);
}

bool SaveMarsWorkbook(const Workspace& workspace, const GenerationStamp& stamp,
                      const std::string& save_path, WorkbookSaveContext& context) {
  if (RefuseModelFileAsOutput(workspace.state.model_path, save_path, context.messages)) {
    return false;
  }
  const MarsModel& model = workspace.mars;
  MarsCodePieces pieces;
  if (!MarsWorkbookPieces(model, pieces, context.messages)) return false;
  const std::string base = WorkbookBaseName(save_path);
  const WorkbookResults results = MarsResultsForZeros(model);
  WorkbookPlan plan{
      save_path,
      base,
      {},
      [&](SpreadsheetApplication& app) { FillMarsRowSheet(app, base, model, results); },
      [&](SpreadsheetApplication& app) { FillMarsColumnSheet(app, base, model, results); },
      true};
  const std::string code = MarsCodeModuleText(pieces, base, model, stamp.model_path, stamp.created);
  return BuildFromCodeFile(plan, code, context);
}

}  // namespace kdk
