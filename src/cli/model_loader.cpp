#include "cli/model_loader.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/mars/mars_model.h"
#include "core/mars/parse_mars_model.h"
#include "core/shell/common_operations.h"
#include "core/shell/load_network.h"

namespace kdk::cli {

ModelKind KindOfModelPath(const std::string& path) {
  return EndsWithText(ToLowerAscii(path), ".kwf") ? ModelKind::Network : ModelKind::Mars;
}

namespace {

// The window reports every unreadable weights file as corrupted; on the command line
// a file that is not there, or cannot be opened, says so.
bool CheckWeightsFileReadable(const std::string& path, MessagePort& messages) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    messages.Inform("The weights file " + path + " does not exist.");
    return false;
  }
  if (!std::filesystem::is_regular_file(path, ec)) {
    messages.Inform("The weights file " + path + " is not a file.");
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    messages.Inform("The weights file " + path + " cannot be read: " + std::strerror(errno) + ".");
    return false;
  }
  return true;
}

bool LoadNetworkForCli(const std::string& path, Workspace& workspace, MessagePort& messages) {
  workspace.state.model_type = kNetworkModelType;
  if (!CheckWeightsFileReadable(path, messages)) return false;
  SetModelFile(workspace.state, AbsolutePath(path));
  return LoadNetworkFromPath(workspace, workspace.state.model_path, messages);
}

// "-" is text piped in, read as if it had been pasted.
bool LoadMarsForCli(const std::string& path, Workspace& workspace, MessagePort& messages) {
  ModelState& state = workspace.state;
  state.model_type = kMarsModelType;
  if (path == "-") {
    workspace.mars.source_kind = std::string(kSourcePaste);
    std::string error;
    if (!ReadWholeStream(std::cin, workspace.mars.pasted_text, error)) {
      messages.Inform("There is a problem trying to read the model data from standard input." +
                      std::string(kCrLf) + std::string(kCrLf) + error);
      return false;
    }
    state.model_path = state.model_name = state.file_title = std::string(kPastedModelPath);
    if (workspace.mars.pasted_text.empty()) {
      messages.Inform("No MARS model text was given on standard input.");
      return false;
    }
  } else {
    workspace.mars.source_kind = std::string(kSourceTextFile);
    SetModelFile(state, AbsolutePath(path));
  }
  if (!ParseMarsModel(workspace.mars, workspace.state.model_path, messages)) return false;
  state.mars_loaded = true;
  state.network_loaded = false;
  return true;
}

}  // namespace

bool LoadModelForCli(const std::string& path, Workspace& workspace, MessagePort& messages) {
  if (KindOfModelPath(path) == ModelKind::Network) {
    return LoadNetworkForCli(path, workspace, messages);
  }
  return LoadMarsForCli(path, workspace, messages);
}

}  // namespace kdk::cli
