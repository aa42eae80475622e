#include <iostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/model_loader.h"
#include "core/common/model_text.h"
#include "core/common/number_text.h"
#include "core/common/text_utils.h"
#include "core/mars/model_summary.h"
#include "platform/console_message_port.h"

namespace kdk::cli {
namespace {

constexpr const char* kInfoHelp =
    "usage: kdk info MODEL\n"
    "Prints what the model is: for a network its inputs with their ranges, the hidden\n"
    "neurons and whether it is a classifier; for a MARS model the model summary.\n";

void PrintNetworkInfo(const Workspace& workspace, std::ostream& out) {
  const NetworkModel& net = workspace.network;
  out << "model: neural network\n";
  out << "file: " << workspace.state.model_path << '\n';
  out << "training data source: " << net.data_source << '\n';
  out << "training data view: " << net.data_view << '\n';
  out << "classifier: " << (net.is_classifier ? "yes" : "no") << '\n';
  out << "inputs: " << net.InputCount() << '\n';
  out << "hidden neurons: " << net.HiddenCount() << " (" << net.HiddenCount() - net.linear_count
      << " non-linear, " << net.linear_count << " linear)\n";
  for (int i = 0; i < net.InputCount(); ++i) {
    out << "input " << i + 1 << ": " << MessageTextAsUtf8(net.input_names[i]) << "  range "
        << NumberText(net.min_norm[i]) << " to " << NumberText(net.max_norm[i]) << ", seen "
        << NumberText(net.min_seen[i]) << " to " << NumberText(net.max_seen[i]) << '\n';
  }
  out << "output: " << MessageTextAsUtf8(net.output_name) << "  range "
      << NumberText(net.min_norm_out) << " to " << NumberText(net.max_norm_out) << ", seen "
      << NumberText(net.min_seen_out) << " to " << NumberText(net.max_seen_out) << '\n';
  if (!net.description.empty()) {
    out << "description:\n" << MessageTextAsUtf8(ReplaceAll(net.description, "\r\n", "\n")) << '\n';
  }
}

}  // namespace

int RunInfo(const std::vector<std::string>& words) {
  Arguments args(words, {}, {});
  if (args.WantsHelp()) {
    std::cout << kInfoHelp;
    return kExitOk;
  }
  if (args.Positional().size() != 1) throw UsageError{"expected exactly one MODEL"};
  ConsoleMessagePort messages(std::cerr);
  Workspace workspace;
  const std::string& path = args.Positional()[0];
  if (!LoadModelForCli(path, workspace, messages)) return kExitFailure;
  if (KindOfModelPath(path) == ModelKind::Network) {
    PrintNetworkInfo(workspace, std::cout);
  } else {
    std::cout << "model: MARS\nfile: " << workspace.state.model_path << '\n'
              << MessageTextAsUtf8(
                     ReplaceAll(ModelSummaryText(workspace.mars, "", "", ""), "\r\n", "\n"));
  }
  return kExitOk;
}

}  // namespace kdk::cli
