#include "cli/model_loader.h"

#include <filesystem>

#include "core/common/text_utils.h"
#include "core/network/load_network.h"

namespace kdk::cli {

ModelKind KindOfModelPath(const std::string& path) {
  return EndsWithText(ToLowerAscii(path), ".kwf") ? ModelKind::Network : ModelKind::Mars;
}

namespace {

bool LoadNetworkForCli(const std::string& path, Workspace& workspace, MessagePort& messages) {
  std::error_code ignored;
  std::string absolute = std::filesystem::absolute(path, ignored).string();
  if (absolute.empty()) absolute = path;
  workspace.state.model_type = kNetworkModelType;
  workspace.state.model_path = absolute;
  workspace.state.file_title = FileNameOfPath(absolute);
  workspace.state.model_name = ModelNameFromFileTitle(workspace.state.file_title);
  return LoadNetworkFromPath(workspace, absolute, messages);
}

}  // namespace

bool LoadModelForCli(const std::string& path, Workspace& workspace, MessagePort& messages) {
  if (KindOfModelPath(path) == ModelKind::Network) {
    return LoadNetworkForCli(path, workspace, messages);
  }
  messages.Inform("MARS rules text cannot be read by this build of kdk: " + path);
  return false;
}

}  // namespace kdk::cli
