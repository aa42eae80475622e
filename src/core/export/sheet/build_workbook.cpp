#include "core/export/sheet/build_workbook.h"

#include "core/common/text_utils.h"
#include "core/export/sheet/sheet_fillers.h"
#include "core/export/sheet/workbook_names.h"

namespace kdk {
namespace {

constexpr int kSheetsWanted = 3;

void ReportError(MessagePort& messages, std::string_view message, const std::string& error) {
  std::string text(message);
  text.append(kCrLf).append(error);
  messages.Show(text, kApplicationTitle, MessageIcon::Critical, MessageButtons::Ok);
}

void NameAndFill(SpreadsheetApplication& app, int index, const std::string& name,
                 const std::function<void(SpreadsheetApplication&)>& fill, MessagePort& messages) {
  std::string error;
  if (!app.SelectWorksheet(index, error) || !app.SetWorksheetName(name, error)) {
    ReportError(messages, "Error creating " + name, error);
  }
  fill(app);
}

}  // namespace

bool BuildWorkbook(SpreadsheetApplication& app, const WorkbookPlan& plan, WorkbookWindow& window,
                   MessagePort& messages, ShellPort& shell) {
  window.set_busy(true);
  window.set_progress("Files Generated...");
  const std::string caption = window.progress();
  const WorkbookNames names = NamesOfWorkbook(plan.base);

  std::string error;
  if (!app.Start(error)) {
    messages.Inform(kCannotOpenSpreadsheet);
    window.set_busy(false);
    return false;
  }

  bool sheets_ok = app.AddWorkbook(error);
  for (int count = app.SheetCount(); sheets_ok && count < kSheetsWanted; ++count) {
    sheets_ok = app.AddSheet(error);
  }
  if (!sheets_ok) {
    ReportError(messages,
                "Problem creating " + std::to_string(kSheetsWanted) + " sheets in the workbook.",
                error);
  }

  NameAndFill(app, 1, names.row_sheet, plan.fill_row_sheet, messages);
  NameAndFill(app, 2, names.column_sheet, plan.fill_column_sheet, messages);
  NameAndFill(
      app, 3, names.instructions, [](SpreadsheetApplication& a) { FillInstructionSheet(a); },
      messages);

  if (!app.AddModule(names.module, error) ||
      !app.InsertFileIntoModule(names.module, plan.code_file_path, error)) {
    if (plan.mars_module_message) {
      messages.Show(kMarsCodeModuleError, kApplicationTitle, MessageIcon::Critical,
                    MessageButtons::Ok);
    } else {
      ReportError(messages, kCodeModuleError, error);
    }
  }

  app.SetDisplayAlerts(false);
  const bool saved = app.SaveAs(plan.save_path, error);
  if (!saved) {
    messages.Inform(kCannotSaveWorkbook);
    app.Quit();
    window.set_busy(false);
    return false;
  }
  app.SetDisplayAlerts(true);
  app.Quit();

  window.set_busy(false);
  window.set_progress(caption + std::string(kCrLf) + plan.save_path);
  const std::string question =
      "Saving of " + plan.save_path + " complete." + std::string(kCrLf) + "Do you want to look?";
  if (messages.Show(question, "Done", MessageIcon::Question, MessageButtons::YesNo) ==
      MessageAnswer::Yes) {
    if (!shell.OpenDocument(plan.save_path, "")) messages.Inform(kCannotShowWorkbook);
  }
  return true;
}

}  // namespace kdk
