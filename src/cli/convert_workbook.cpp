#include <filesystem>
#include <iostream>

#include "cli/converters.h"
#include "core/common/date_text.h"
#include "core/common/model_text.h"
#include "core/common/text_utils.h"
#include "core/export/generation_stamp.h"
#include "core/export/sheet/save_workbook.h"
#include "core/shell/common_operations.h"
#include "engines/workbook/embedded_spreadsheet.h"
#include "platform/system_clock.h"

namespace kdk::cli {
namespace {

// Nothing is opened for viewing from the command line.
class NoViewer : public ShellPort {
 public:
  bool OpenDocument(std::string_view, std::string_view) override { return false; }
  bool StartProgram(std::string_view, std::string_view) override { return false; }
  std::string ProgramFolder() override { return "."; }
  std::string CommandLine() override { return ""; }
};

// The "Do you want to look?" question is answered No; everything else is printed.
class NoLooking : public MessagePort {
 public:
  explicit NoLooking(MessagePort& inner) : inner_(inner) {}
  MessageAnswer Show(std::string_view text, std::string_view title, MessageIcon icon,
                     MessageButtons buttons) override {
    if (title == "Done") return MessageAnswer::No;
    return inner_.Show(text, title, icon, buttons);
  }

 private:
  MessagePort& inner_;
};

bool ConvertWorkbook(ConvertRequest& request, bool mars) {
  Workspace& workspace = request.workspace;
  const int model_type = mars ? kMarsModelType : kNetworkModelType;
  if (!CheckReadyToSave(workspace, request.output_path, model_type, request.messages)) {
    return false;
  }
  workspace.output_path = request.output_path;
  SystemClock clock;
  const GenerationStamp stamp = MakeGenerationStamp(workspace.state, clock);
  workbook::EmbeddedSpreadsheet app;
  NoViewer shell;
  NoLooking messages(request.messages);
  std::string label;
  WorkbookWindow window{[&] { return label; }, [&](const std::string& t) { label = t; },
                        [](bool) {}};
  std::error_code ignored;
  WorkbookSaveContext context{app, messages, shell, window,
                              std::filesystem::temp_directory_path(ignored).string()};
  const bool saved = mars ? SaveMarsWorkbook(workspace, stamp, request.output_path, context)
                          : SaveNetworkWorkbook(workspace, stamp, request.output_path, context);
  if (saved) PrintProgress(request, label);
  return saved;
}

constexpr const char* kWorkbookHelp =
    "  workbook: a macro-enabled workbook (PATH.xlsm) whose code module computes the\n"
    "      model as a worksheet function; PATH.xls converts it with LibreOffice\n";

}  // namespace

std::vector<ConverterEntry> WorkbookConverters() {
  return {
      {ModelKind::Network,
       "workbook",
       {},
       {},
       kWorkbookHelp,
       [](ConvertRequest& request) { return ConvertWorkbook(request, false); }},
      {ModelKind::Mars,
       "workbook",
       {},
       {},
       "",
       [](ConvertRequest& request) { return ConvertWorkbook(request, true); }},
  };
}

}  // namespace kdk::cli
