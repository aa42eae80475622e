#include <functional>
#include <iostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/converters.h"
#include "cli/model_loader.h"
#include "platform/console_message_port.h"

namespace kdk::cli {
namespace {

std::string ConvertHelp() {
  std::string text =
      "usage: kdk convert MODEL --to TYPE -o PATH [options]\n"
      "Writes the model as TYPE to PATH, exactly as the window's Save button does.\n"
      "-o - writes it to standard output. The model file itself is never an output.\n"
      "TYPE for a network:";
  for (const ConverterEntry& entry : Converters()) {
    if (entry.kind == ModelKind::Network) text += " " + entry.type;
  }
  text += "\nTYPE for a MARS model:";
  for (const ConverterEntry& entry : Converters()) {
    if (entry.kind == ModelKind::Mars) text += " " + entry.type;
  }
  text += "\n\noptions by TYPE:\n";
  for (const ConverterEntry& entry : Converters()) text += entry.help;
  return text;
}

}  // namespace

int RunConvert(const std::vector<std::string>& words) {
  std::set<std::string> value_options = {"--to", "-o"};
  std::set<std::string> flag_options;
  for (const ConverterEntry& entry : Converters()) {
    value_options.insert(entry.value_options.begin(), entry.value_options.end());
    flag_options.insert(entry.flag_options.begin(), entry.flag_options.end());
  }
  Arguments args(words, value_options, flag_options);
  if (args.WantsHelp()) {
    std::cout << ConvertHelp();
    return kExitOk;
  }
  if (args.Positional().size() != 1) throw UsageError{"expected exactly one MODEL"};
  const std::string type = args.Value("--to", "");
  const std::string output = args.Value("-o", "");
  if (type.empty()) throw UsageError{"--to TYPE is required"};
  if (output.empty()) throw UsageError{"-o PATH is required"};

  const std::string& model_path = args.Positional()[0];
  const ModelKind kind = KindOfModelPath(model_path);
  const ConverterEntry* converter = FindConverter(kind, type);
  if (converter == nullptr) {
    throw UsageError{"'" + type + "' is not a conversion for " +
                     (kind == ModelKind::Network ? "a network" : "a MARS model")};
  }
  for (const std::string& option : words) {
    if (option.rfind("--", 0) == 0 && option != "--to" && !converter->Accepts(option)) {
      throw UsageError{option + " does not apply to --to " + type};
    }
  }

  ConsoleMessagePort messages(std::cerr);
  Workspace workspace;
  if (!LoadModelForCli(model_path, workspace, messages)) return kExitFailure;
  ConvertRequest request{workspace, messages, args, output};
  return converter->run(request) ? kExitOk : kExitFailure;
}

}  // namespace kdk::cli
