#include <iostream>

#include "cli/converters.h"
#include "core/common/output_file.h"
#include "core/common/text_utils.h"
#include "core/export/generation_stamp.h"
#include "core/export/vbproject/equation_text.h"
#include "core/export/vbproject/vb_project.h"
#include "core/mars/generated_file.h"
#include "core/shell/common_operations.h"
#include "platform/system_clock.h"

namespace kdk::cli {
namespace {

// Writes the three project files as the window's Save button does, printing the
// progress label (the paths written) on stdout.
bool ConvertToVbProject(ConvertRequest& request, int model_type) {
  if (request.output_path == "-") {
    throw UsageError{
        "-o - cannot take a Visual Basic project: it is three files (.vbp, .frm, "
        ".vbw); give -o PATH.vbp"};
  }
  if (!EndsWithText(ToLowerAscii(request.output_path), ".vbp")) {
    throw UsageError{"the project path must end in .vbp"};
  }
  Workspace& workspace = request.workspace;
  if (!CheckReadyToSave(workspace, request.output_path, model_type, request.messages)) {
    return false;
  }
  workspace.output_path = request.output_path;
  SystemClock clock;
  std::string label;
  const bool written =
      GenerateVbProject(workspace, model_type, MakeGenerationStamp(workspace.state, clock),
                        request.messages, [&](const std::string& text) { label = text; });
  if (written) PrintProgress(request, label);
  return written;
}

// The equation view's text, byte for byte as its Copy button puts it on the clipboard.
bool ConvertToEquationView(ConvertRequest& request) {
  Workspace& workspace = request.workspace;
  if (!CheckReadyToSave(workspace, request.output_path, kNetworkModelType, request.messages)) {
    return false;
  }
  SystemClock clock;
  const std::string text =
      BuildEquationText(workspace.network, MakeGenerationStamp(workspace.state, clock));
  std::string error;
  if (!WriteOutputFile(request.output_path, text, error, KeepModel(workspace.state.model_path))) {
    request.messages.Inform(error, MessageIcon::Critical);
    return false;
  }
  PrintProgress(request, "Files Generated...\n" + request.output_path);
  return true;
}

}  // namespace

std::vector<ConverterEntry> VbProjectConverters() {
  return {
      {ModelKind::Network,
       "vbproject",
       {},
       {},
       "  vbproject: a Visual Basic 6 project; -o PATH.vbp, with PATH.frm and PATH.vbw\n"
       "      written beside it (the form named as the project's Form line names it)\n",
       [](ConvertRequest& request) { return ConvertToVbProject(request, kNetworkModelType); }},
      {ModelKind::Mars,
       "vbproject",
       {},
       {},
       "  vbproject (MARS): a Visual Basic 6 project, as for a network\n",
       [](ConvertRequest& request) { return ConvertToVbProject(request, kMarsModelType); }},
      {ModelKind::Network,
       "equation-view",
       {},
       {},
       "  equation-view: the text of the equation and weights view\n",
       ConvertToEquationView},
  };
}

}  // namespace kdk::cli
