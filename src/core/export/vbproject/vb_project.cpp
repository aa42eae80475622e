#include "core/export/vbproject/vb_project.h"

#include "core/common/date_text.h"
#include "core/common/maker.h"
#include "core/common/model_text.h"
#include "core/common/output_file.h"
#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/export/vbproject/form_description.h"
#include "core/export/vbproject/mars_form_code.h"
#include "core/export/vbproject/network_form_code.h"
#include "core/export/vbproject/vb_piece_text.h"
#include "core/lang/language_rules.h"
#include "core/lang/text_checker.h"
#include "core/lang/vb_line_fitting.h"
#include "core/mars/generated_file.h"
#include "core/model_state.h"

namespace kdk {
namespace {

// The maker's name, as the by-line gives it ("by Kestrium Software").
std::string MakerName() {
  constexpr std::string_view kBy = "by ";
  std::string_view name = kMakerByLine;
  if (name.substr(0, kBy.size()) == kBy) name.remove_prefix(kBy.size());
  return std::string(name);
}

void AppendPiece(std::string& out, std::string_view piece) {
  out.append(piece);
  out.append(kCrLf);
}

// A form whose code VB would refuse is not written.
bool CheckVbLimits(std::string_view text, MessagePort& messages) {
  std::vector<lang::RuleViolation> found = lang::CheckVbModuleLines(text);
  for (auto&& more : {lang::CheckLineRules(lang::RulesOf(lang::Language::VisualBasic), text),
                      lang::CheckVbProcedureSizes(text)}) {
    found.insert(found.end(), more.begin(), more.end());
  }
  if (found.empty()) return true;
  messages.Inform("The model is too large for a Visual Basic 6 form: line " +
                  std::to_string(found.front().line) + ", " + found.front().what);
  return false;
}

}  // namespace

std::string VbProjectText(std::string_view base_name) {
  std::string out;
  using vbpiece::Line;
  Line(out, "Type=Exe");
  // The form's file name as VB6 reads the project: in its code page.
  Line(out, "Form=" + PathAsModelText(base_name) + ".frm");
  Line(out,
       "Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#..\\..\\WINDOWS\\SYSTEM\\"
       "STDOLE2.TLB#OLE Automation");
  Line(out, "IconForm=\"Predict\"");
  Line(out, "Startup=\"Predict\"");
  Line(out, "Command32=\"\"");
  Line(out, "Name=\"Predictor\"");
  Line(out, "HelpContextID=\"0\"");
  Line(out, "CompatibleMode=\"0\"");
  Line(out, "MajorVer=1");
  Line(out, "MinorVer=0");
  Line(out, "RevisionVer=0");
  Line(out, "AutoIncrementVer=0");
  Line(out, "ServerSupportFiles=0");
  Line(out, "VersionCompanyName=\"" + MakerName() + "\"");
  Line(out, "CompilationType=0");
  Line(out, "OptimizationType=0");
  Line(out, "FavorPentiumPro(tm)=0");
  Line(out, "CodeViewDebugInfo=0");
  Line(out, "NoAliasing=0");
  Line(out, "BoundsCheck=0");
  Line(out, "OverflowCheck=0");
  Line(out, "FlPointCheck=0");
  Line(out, "FDIVCheck=0");
  Line(out, "UnroundedFP=0");
  Line(out, "StartMode=0");
  Line(out, "Unattended=0");
  Line(out, "ThreadPerObject=0");
  Line(out, "MaxNumberOfThreads=1");
  return vbpiece::Finish(std::move(out));
}

std::string VbWorkspaceText() {
  return "Predict = 0, 0, 0, 0, C, 22, 22, 387, 368, Z";
}

VbProjectPaths VbProjectPathsFor(std::string_view project_path) {
  VbProjectPaths paths;
  paths.project = std::string(project_path);
  paths.base_name = OutputBaseName(project_path);
  const std::size_t separator = project_path.find_last_of("/\\");
  const std::string folder =
      separator == std::string_view::npos ? "" : std::string(project_path.substr(0, separator + 1));
  paths.form = folder + paths.base_name + ".frm";
  paths.workspace = DropLast(project_path, 4) + ".vbw";
  return paths;
}

std::string VbNetworkFormFile(const NetworkModel& model, const GenerationStamp& stamp) {
  std::string out;
  AppendPiece(out, VbNetworkFormDescription(model));
  AppendPiece(out, VbNetworkHeaderComment(model, stamp));
  AppendPiece(out, VbNetworkDataDefinitions(model));
  AppendPiece(out, VbNetworkModelValues(model));
  AppendPiece(out, VbNetworkForwardPass(model));
  AppendPiece(out, VbNetworkDisplayAndInput(model));
  AppendPiece(out, VbTanhFunction("myTanh"));
  AppendPiece(out, VbNormaliseFunction());
  AppendPiece(out, VbNetworkEventProcedures(model, stamp));
  return out;
}

bool VbMarsFormFile(const MarsModel& model, const GenerationStamp& stamp, std::string& text,
                    MessagePort& messages) {
  MarsVbCode code;
  if (!PrepareMarsVbCode(model, code, messages)) return false;
  std::string calculation;
  if (!VbMarsCalculationProcedures(code, calculation)) {
    messages.Inform(
        "The model is too large for a Visual Basic 6 form: a statement needs more "
        "than 24 line continuations");
    return false;
  }
  std::string out;
  AppendPiece(out, VbMarsFormDescription(model));
  AppendPiece(out, VbMarsHeaderComment(model, stamp));
  AppendPiece(out, VbMarsDataDefinitions(model, code));
  AppendPiece(out, calculation);
  AppendPiece(out, VbMarsDisplayAndInput(code));
  AppendPiece(out, VbMarsEventProcedures(model, code, stamp));
  text = std::move(out);
  return true;
}

bool GenerateVbProject(const Workspace& workspace, int model_type, const GenerationStamp& stamp,
                       MessagePort& messages,
                       const std::function<void(const std::string&)>& show_progress) {
  const VbProjectPaths paths = VbProjectPathsFor(workspace.output_path);
  std::string form;
  if (model_type == kNetworkModelType) {
    form = VbNetworkFormFile(workspace.network, stamp);
  } else if (!VbMarsFormFile(workspace.mars, stamp, form, messages)) {
    return false;
  }
  if (!CheckVbLimits(form, messages)) return false;
  // The three files go in together or not at all.
  std::string progress = "Files Generated...";
  show_progress(progress);
  const std::pair<const std::string*, std::string> files[] = {
      {&paths.project, VbProjectText(paths.base_name) + std::string(kCrLf)},
      {&paths.form, std::move(form)},
      {&paths.workspace, VbWorkspaceText() + std::string(kCrLf)},
  };
  OutputFiles output(KeepModel(workspace.state.model_path));
  for (const auto& [path, text] : files) {
    if (!output.Add(*path, text)) break;
  }
  if (!output.Commit()) {
    messages.Inform(output.Error(), MessageIcon::Critical);
    return false;
  }
  for (const auto& [path, text] : files) {
    progress.append(kCrLf).append(*path);
    show_progress(progress);
  }
  messages.Inform("Done it!");
  return true;
}

}  // namespace kdk
