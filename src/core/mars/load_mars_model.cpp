#include "core/mars/load_mars_model.h"

#include <filesystem>

#include "core/common/text_utils.h"
#include "core/mars/parse_mars_model.h"
#include "core/shell/common_operations.h"

namespace kdk {

std::string ChooseMarsFile(Workspace& workspace, Ports& ports) {
  const std::string key = FolderKey(kMarsModelType, "Model");
  FileDialogRequest request;
  request.title = "Select the MARS rules file...";
  request.initial_folder = ports.settings.Get(kSettingsSection, key, ports.shell.ProgramFolder());
  request.preset_name = workspace.state.model_name;
  request.filter = std::string(kMarsRulesFileFilter);
  request.must_exist = true;
  const std::string chosen = ports.file_dialogs.OpenFile(request);
  if (chosen.empty()) return {};

  std::error_code ignored;
  std::string absolute = std::filesystem::absolute(chosen, ignored).string();
  if (absolute.empty()) absolute = chosen;
  workspace.state.file_title = FileNameOfPath(absolute);
  ports.settings.Set(kSettingsSection, key, ParentFolder(absolute));
  return absolute;
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

  if (!ParseMarsModel(workspace, ports.messages)) {
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
