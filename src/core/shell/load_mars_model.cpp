#include "core/shell/load_mars_model.h"

#include "core/common/text_utils.h"
#include "core/mars/parse_mars_model.h"
#include "core/shell/common_operations.h"

namespace kdk {

std::string ChooseMarsFile(Workspace& workspace, Ports& ports) {
  std::string chosen = ChooseModelFile(workspace, ports, kMarsModelType,
                                       "Select the MARS rules file...", kMarsRulesFileFilter);
  if (!chosen.empty()) workspace.state.file_title = FileNameOfPath(chosen);
  return chosen;
}

bool LoadMarsModel(Workspace& workspace, Ports& ports, MarsSourceDialogs& dialogs) {
  ModelState& state = workspace.state;
  state.model_type = kMarsModelType;
  const ModelState before = state;
  auto restore_names = [&] {
    state.model_path = before.model_path;
    state.model_name = before.model_name;
    state.file_title = before.file_title;
  };

  const std::string source = dialogs.ChooseSource();
  if (source == kSourceMdlFile) {
    ports.messages.Inform("MDL not vailable in this version");
    return false;
  }
  if (source != kSourceTextFile && source != kSourcePaste) return false;

  workspace.mars.source_kind = source;
  if (source == kSourceTextFile) {
    const std::string path = ChooseMarsFile(workspace, ports);
    if (path.empty()) {
      restore_names();
      return false;
    }
    state.model_path = path;
    state.model_name = ModelNameFromFileTitle(state.file_title);
  } else {
    workspace.mars.pasted_text = dialogs.PasteModel();
    state.model_path = std::string(kPastedModelPath);
    state.model_name = std::string(kPastedModelPath);
    state.file_title = std::string(kPastedModelPath);
  }

  if (!ParseMarsModel(workspace.mars, workspace.state.model_path, ports.messages)) {
    restore_names();
    return false;
  }
  state.mars_loaded = true;
  state.network_loaded = false;
  return true;
}

std::string MarsModelLabelCaption(const Workspace& workspace) {
  return "Model = " + workspace.state.model_path + "   ";
}

}  // namespace kdk
