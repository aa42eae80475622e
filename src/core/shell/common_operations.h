#pragma once

#include <string>
#include <string_view>

#include "core/ports/ports.h"
#include "core/workspace.h"

namespace kdk {

inline constexpr std::string_view kSettingsSection = "Directories";
inline constexpr std::string_view kWeightsFileFilter = "Kestrium Weight File (*.kwf)|*.kwf";

// Makes `path` the model file: its path, its file name and the model name from it.
void SetModelFile(ModelState& state, const std::string& path);

// The remembered-folder key: the model type's digit, then the word ("1Model", "2Save").
std::string FolderKey(int model_type, std::string_view word);

// The open dialog for a model file of the given type, remembering its folder under
// the type's "Model" key. The absolute path chosen, or "" when the user cancels.
std::string ChooseModelFile(Workspace& workspace, Ports& ports, int model_type,
                            std::string_view title, std::string_view filter);

// The open dialog for weights files. Sets model_path, file_title and model_name and
// remembers the folder under "1Model"; "" when the user cancels (nothing changes).
std::string ChooseWeightsFile(Workspace& workspace, Ports& ports);

// The save dialog of every converter, proposing `proposed_name` (the model's name
// when empty); the filter's second entry is preselected where it has one. Remembers
// the folder under model type & "Save"; "" on cancel.
std::string ChooseSaveFile(const Workspace& workspace, Ports& ports, std::string_view filter,
                           std::string_view proposed_name = {});

// Whether a converter may write to `path`: a model of `model_type` is loaded and a
// name was chosen. Reports what is missing.
bool CheckReadyToSave(const Workspace& workspace, std::string_view path, int model_type,
                      MessagePort& messages);

}  // namespace kdk
