// kdk spss-check and kdk spss-run: the load-SPSS-file button of the two SPSS
// windows without a window.
#include <filesystem>
#include <iostream>

#include "cli/arguments.h"
#include "cli/code_settings.h"
#include "cli/commands.h"
#include "cli/model_loader.h"
#include "core/common/output_file.h"
#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/code/mars_spss.h"
#include "core/export/code/smart_names.h"
#include "core/export/code/spss_data_match.h"
#include "core/export/generation_stamp.h"
#include "core/shell/common_operations.h"
#include "engines/spss/pspp_application.h"
#include "engines/spss/sav_dictionary.h"
#include "platform/console_message_port.h"
#include "platform/system_clock.h"

namespace kdk::cli {

namespace {

constexpr const char* kCheckHelp =
    "usage: kdk spss-check MODEL DATA.sav [conversion options]\n"
    "Checks that every input of the model is a variable of the SPSS data file, under the\n"
    "name the syntax that spss-run (and 'kdk convert --to spss') writes with the same\n"
    "options reads it (names compared trimmed and in any case).\n"
    "conversion options: as spss-run\n"
    "exit status: 0 every input present, 1 some missing (listed) or a file unreadable\n";

constexpr const char* kRunHelp =
    "usage: kdk spss-run MODEL DATA.sav -o OUT.sav [--replace] [--timeout SECONDS]\n"
    "                    [conversion options]\n"
    "Generates the model's SPSS syntax as 'kdk convert --to spss' does, checks the data\n"
    "file as spss-check does and runs the syntax on it with GNU PSPP, saving the data\n"
    "with the prediction added as OUT.sav. An existing OUT.sav is replaced only with\n"
    "--replace; the data file and the model never are. --timeout limits the PSPP run\n"
    "(default 120).\n"
    "conversion options, network: --format A|B|C|D (A and B become C), --output-name,\n"
    "  --root-name, --no-smart-names, --no-description, --no-model-info, --no-limits,\n"
    "  --no-tanh-definition, --no-spss-remove-fields, --no-spss-8char-warning,\n"
    "  --no-spss-var-list\n"
    "conversion options, MARS: --output-name NAME (mars_out), --no-header\n";

const std::set<std::string> kNetworkValues = {"--format", "--output-name", "--root-name"};
const std::set<std::string> kNetworkFlags = {"--no-smart-names",        "--no-description",
                                             "--no-model-info",         "--no-limits",
                                             "--no-tanh-definition",    "--no-spss-remove-fields",
                                             "--no-spss-8char-warning", "--no-spss-var-list"};

std::string NetworkSyntax(Workspace& workspace, const Arguments& args, MessagePort& messages) {
  const CodeExportSettings typed = SettingsFromArguments(CodeType::Spss, args, workspace.network);
  // As the window and `kdk convert`: generated from the name as typed, which Save
  // only checks is not empty.
  CodeExportSettings checked = typed;
  if (!CheckOutputName(checked, messages)) return {};
  CodeExportSettings settings = typed;
  SystemClock clock;
  return GenerateCode(settings, workspace.network, MakeGenerationStamp(workspace.state, clock),
                      messages);
}

std::string MarsSyntax(Workspace& workspace, const Arguments& args, MessagePort& messages) {
  MarsSpssOptions options;
  options.output_field_name =
      StoredSpssOutputName(args.Value("--output-name", options.output_field_name));
  options.include_header = !args.Has("--no-header");
  if (SpssOutputVariable(options.output_field_name).empty()) {
    messages.Inform("Invalid Output Name!");
    return {};
  }
  return MarsSpssText(workspace.mars, options, messages);
}

// Both commands take the conversion options of `kdk convert --to spss`; those of the
// other kind of model are refused rather than ignored.
Arguments CodeOptionArguments(const std::vector<std::string>& words, std::set<std::string> values,
                              std::set<std::string> flags) {
  values.insert(kNetworkValues.begin(), kNetworkValues.end());
  flags.insert(kNetworkFlags.begin(), kNetworkFlags.end());
  flags.insert("--no-header");
  Arguments args(words, values, flags);
  if (args.WantsHelp() || args.Positional().empty()) return args;
  const ModelKind kind = KindOfModelPath(args.Positional()[0]);
  for (const std::string& word : words) {
    const bool network_only =
        kNetworkValues.count(word) + kNetworkFlags.count(word) > 0 && word != "--output-name";
    if ((kind == ModelKind::Mars && network_only) ||
        (kind == ModelKind::Network && word == "--no-header")) {
      throw UsageError{word + " does not apply to this kind of model"};
    }
  }
  return args;
}

std::vector<SpssInput> InputsOf(const Workspace& workspace, ModelKind kind, const Arguments& args) {
  return kind == ModelKind::Network
             ? NetworkSpssInputs(SettingsFromArguments(CodeType::Spss, args, workspace.network),
                                 workspace.network)
             : MarsSpssInputs(workspace.mars);
}

long TimeoutSeconds(const std::string& text) {
  char* end = nullptr;
  const long seconds = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || seconds < 1 || seconds > 86400) {
    throw UsageError{"--timeout takes a number of seconds from 1 to 86400"};
  }
  return seconds;
}

}  // namespace

int RunSpssCheck(const std::vector<std::string>& words) {
  const Arguments args = CodeOptionArguments(words, {}, {});
  if (args.WantsHelp()) {
    std::cout << kCheckHelp;
    return kExitOk;
  }
  if (args.Positional().size() != 2) throw UsageError{"expected MODEL and DATA.sav"};
  const std::string& model_path = args.Positional()[0];
  const std::string& data_path = args.Positional()[1];
  ConsoleMessagePort messages(std::cerr);
  Workspace workspace;
  if (!LoadModelForCli(model_path, workspace, messages)) return kExitFailure;
  if (!CheckFileExists(data_path, messages)) return kExitFailure;
  std::vector<std::string> variables;
  std::string error;
  if (!spss::ReadSavVariableNames(data_path, variables, error)) {
    messages.Inform(error);
    return kExitFailure;
  }
  const std::vector<std::string> missing =
      MissingSpssInputs(InputsOf(workspace, KindOfModelPath(model_path), args), variables);
  if (!missing.empty()) {
    messages.Inform(SpssMismatchMessage(missing));
    return kExitFailure;
  }
  std::cout << "This file matches OK - the syntax script can be run.\n";
  return kExitOk;
}

int RunSpssRun(const std::vector<std::string>& words) {
  const Arguments args = CodeOptionArguments(words, {"-o", "--timeout"}, {"--replace"});
  if (args.WantsHelp()) {
    std::cout << kRunHelp;
    return kExitOk;
  }
  if (args.Positional().size() != 2) throw UsageError{"expected MODEL and DATA.sav"};
  const std::string output = args.Value("-o", "");
  if (output.empty()) throw UsageError{"-o OUT.sav is required"};
  const std::string& model_path = args.Positional()[0];
  const ModelKind kind = KindOfModelPath(model_path);
  spss::PsppOptions options;
  options.viewer_program.clear();
  options.result_path = output;
  options.replace_existing = args.Has("--replace");
  options.time_limit = std::chrono::seconds(TimeoutSeconds(args.Value("--timeout", "120")));

  ConsoleMessagePort messages(std::cerr);
  // Refused before anything runs; the engine checks again before it writes.
  options.model_path = model_path == "-" ? std::string() : model_path;
  const std::string kept = KeptInputRefusal({options.model_path, args.Positional()[1]}, output);
  if (!kept.empty()) {
    messages.Inform(kept);
    return kExitFailure;
  }
  std::error_code ignored;
  if (!options.replace_existing && output != "-" &&
      std::filesystem::is_regular_file(std::filesystem::status(output, ignored))) {
    messages.Inform("The result was not saved: the file " + output +
                    " already exists (--replace replaces it).");
    return kExitFailure;
  }
  Workspace workspace;
  if (!LoadModelForCli(model_path, workspace, messages)) return kExitFailure;
  SpssMatchRequest request;
  request.data_path = args.Positional()[1];
  request.inputs = InputsOf(workspace, kind, args);
  request.syntax_text = kind == ModelKind::Network ? NetworkSyntax(workspace, args, messages)
                                                   : MarsSyntax(workspace, args, messages);
  if (request.syntax_text.empty()) return kExitFailure;
  spss::PsppSpssApplication application(options);
  NoBusyPointer busy;
  if (!MatchSpssDataFile(request, application, messages, busy)) return kExitFailure;
  // With "-o -" the result itself went to standard output.
  if (output != "-") std::cout << "Files Generated...\n" << application.ResultPath() << '\n';
  return kExitOk;
}

}  // namespace kdk::cli
