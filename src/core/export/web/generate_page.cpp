#include "core/export/web/generate_page.h"

#include "core/common/model_text.h"
#include "core/common/output_file.h"
#include "core/common/text_file.h"
#include "core/export/web/mars_page.h"
#include "core/export/web/network_page.h"
#include "core/mars/generated_file.h"

namespace kdk {
namespace {

bool WritePage(const Workspace& workspace, Ports& ports, const std::string& page,
               const std::string& save_path, const ProgressLabel& show_progress) {
  std::string label = "Files Generated ...\r\n";
  show_progress(label);
  if (!WritePageFile(workspace, ports.messages, page, save_path)) return false;
  label.append(save_path);
  show_progress(label);
  if (ports.messages.Show("Do you want to see the new web page?", "See It?", MessageIcon::Question,
                          MessageButtons::YesNo) == MessageAnswer::Yes) {
    OpenDocument(ports.shell, save_path);
  }
  return true;
}

}  // namespace

bool WritePageFile(const Workspace& workspace, MessagePort& messages, const std::string& page,
                   const std::string& save_path) {
  std::string error;
  if (!WriteOutputFile(save_path, page, error, KeepModel(workspace.state.model_path))) {
    messages.Inform(error, MessageIcon::Critical);
    return false;
  }
  return true;
}

bool GenerateNetworkPage(const Workspace& workspace, Ports& ports, const PageStyle& style,
                         const GenerationStamp& stamp, const std::string& save_path,
                         const ProgressLabel& show_progress) {
  const std::string page = NetworkPageText(workspace.network, style, stamp);
  return WritePage(workspace, ports, page, save_path, show_progress);
}

bool GenerateMarsPage(const Workspace& workspace, Ports& ports, const PageStyle& style,
                      const GenerationStamp& stamp, bool allow_missing,
                      const std::string& save_path, const ProgressLabel& show_progress) {
  const std::string page =
      MarsPageText(workspace.mars, style, stamp, allow_missing, ports.messages);
  return WritePage(workspace, ports, page, save_path, show_progress);
}

}  // namespace kdk
