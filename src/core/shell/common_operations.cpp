#include "core/shell/common_operations.h"

#include <filesystem>

#include "core/common/text_utils.h"

namespace kdk {
namespace {

int CountFilterEntries(std::string_view filter) {
  int separators = 0;
  for (char c : filter) separators += c == '|';
  return (separators + 1) / 2;
}

}  // namespace

void SetModelFile(ModelState& state, const std::string& path) {
  state.model_path = path;
  state.file_title = FileNameOfPath(path);
  state.model_name = ModelNameFromFileTitle(state.file_title);
}

std::string FolderKey(int model_type, std::string_view word) {
  return std::to_string(model_type) + std::string(word);
}

std::string ChooseModelFile(Workspace& workspace, Ports& ports, int model_type,
                            std::string_view title, std::string_view filter) {
  const std::string key = FolderKey(model_type, "Model");
  FileDialogRequest request;
  request.title = std::string(title);
  request.initial_folder = ports.settings.Get(kSettingsSection, key, ports.shell.ProgramFolder());
  request.preset_name = workspace.state.model_name;
  request.filter = std::string(filter);
  request.must_exist = true;
  const std::string chosen = ports.file_dialogs.OpenFile(request);
  if (chosen.empty()) return {};

  const std::string absolute = AbsolutePath(chosen);
  ports.settings.Set(kSettingsSection, key, ParentFolder(absolute));
  return absolute;
}

std::string ChooseWeightsFile(Workspace& workspace, Ports& ports) {
  std::string chosen = ChooseModelFile(workspace, ports, kNetworkModelType,
                                       "Select the Kestrium weights file...", kWeightsFileFilter);
  if (chosen.empty()) return {};
  SetModelFile(workspace.state, chosen);
  return chosen;
}

std::string ChooseSaveFile(const Workspace& workspace, Ports& ports, std::string_view filter,
                           std::string_view proposed_name) {
  const int type = workspace.state.model_type.value_or(kNetworkModelType);
  const std::string key = FolderKey(type, "Save");
  FileDialogRequest request;
  request.initial_folder = ports.settings.Get(kSettingsSection, key, ports.shell.ProgramFolder());
  request.preset_name =
      proposed_name.empty() ? workspace.state.model_name : std::string(proposed_name);
  request.filter = std::string(filter);
  request.selected_filter = CountFilterEntries(filter) >= 2 ? 1 : 0;
  request.confirm_overwrite = true;
  request.confirm_create = true;
  std::string chosen = ports.file_dialogs.SaveFile(request);
  if (chosen.empty()) return {};

  const std::string absolute = AbsolutePath(chosen);
  ports.settings.Set(kSettingsSection, key, ParentFolder(absolute));
  return absolute;
}

bool CheckReadyToSave(const Workspace& workspace, std::string_view path, int model_type,
                      MessagePort& messages) {
  if ((model_type == kNetworkModelType && !workspace.state.network_loaded) ||
      (model_type == kMarsModelType && !workspace.state.mars_loaded)) {
    messages.Inform("Please select a model");
    return false;
  }
  if (!path.empty()) return true;
  messages.Inform("Please select a name to save the file as");
  return false;
}

}  // namespace kdk
