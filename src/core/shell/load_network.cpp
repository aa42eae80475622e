#include "core/shell/load_network.h"

#include "core/common/text_utils.h"
#include "core/network/network_numbers.h"
#include "core/network/weights_reader.h"
#include "core/shell/command_line.h"
#include "core/shell/common_operations.h"

namespace kdk {

bool LoadNetworkFromPath(Workspace& workspace, const std::string& path, MessagePort& messages) {
  NetworkModel fresh;
  if (!ReadWeightsFile(path, fresh, messages)) return false;
  // Every finite field is read, but a number computed from them may still be past
  // what a program can hold: no artifact is written for such a network.
  if (const std::string problem = NetworkNumberProblem(fresh); !problem.empty()) {
    messages.Inform(problem, MessageIcon::Exclamation);
    return false;
  }
  if (!ReadNetDescription(path, fresh.description, messages)) return false;
  workspace.network = std::move(fresh);
  workspace.state.mars_loaded = false;
  workspace.state.network_loaded = true;
  return true;
}

bool LoadNetworkModel(Workspace& workspace, Ports& ports) {
  ModelState& state = workspace.state;
  state.model_type = kNetworkModelType;
  const ModelState before = state;

  bool from_command_line = false;
  if (!workspace.command_line_tried && state.model_path.empty()) {
    workspace.command_line_tried = true;
    CommandLineModel command = ParseCommandLineModel(ports.shell.CommandLine());
    if (command.consulted) workspace.launch_button_hidden = command.hide_launch_button;
    if (!command.model_path.empty()) {
      state.model_path = command.model_path;
      state.file_title = command.file_title;
      state.model_name = command.model_name;
      from_command_line = true;
    }
  }

  // Only a path from the command line is read without asking; any other path (a
  // loaded network's, a MARS model's) is offered in the dialog instead.
  if (!from_command_line && ChooseWeightsFile(workspace, ports).empty()) return false;

  if (!LoadNetworkFromPath(workspace, state.model_path, ports.messages)) {
    state.model_path = before.model_path;
    state.file_title = before.file_title;
    state.model_name = before.model_name;
    return false;
  }
  return true;
}

}  // namespace kdk
