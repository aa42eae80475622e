#include "cli/code_settings.h"
#include "cli/converters.h"
#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/code/smart_names.h"
#include "core/export/generation_stamp.h"
#include "platform/system_clock.h"

namespace kdk::cli {

namespace {

const std::set<std::string> kCommonValues = {"--format", "--output-name", "--root-name"};
const std::set<std::string> kCommonFlags = {"--no-smart-names", "--no-description",
                                            "--no-model-info", "--no-limits",
                                            "--no-tanh-definition"};

constexpr const char* kCommonHelp =
    "    --format A|B|C|D       A long (default), B components 1, C components 2,\n"
    "                           D components 3\n"
    "    --output-name NAME     output variable (default Kestrium_ + the model's output)\n"
    "    --root-name NAME       root of intermediate variables (default Var)\n"
    "    --no-smart-names       keep names as they are instead of cleaning them\n"
    "    --no-description --no-model-info --no-limits --no-tanh-definition\n"
    "                           leave that piece out of the comment block\n";

// Options that only some code types take, with their help lines.
struct TypeOptions {
  std::set<std::string> values;
  std::set<std::string> flags;
  std::string help;
};

TypeOptions OptionsOf(CodeType type) {
  switch (type) {
    case CodeType::Equation:
      return {{"--tanh", "--comment-line", "--comment-block-start", "--comment-block-end",
               "--line-termination", "--line-continuation", "--pre-variable", "--post-variable"},
              {},
              "    --tanh tanh|exp        tanh as a Tanh( call (default) or with Exp\n"
              "    --comment-line T --comment-block-start T --comment-block-end T\n"
              "    --line-termination T --line-continuation T --pre-variable T\n"
              "    --post-variable T      the equation's own syntax (all empty by default)\n"};
    case CodeType::Sas:
      return {{"--sas-source", "--sas-new"},
              {"--sas-append", "--no-sas-var-list"},
              "    --sas-source NAME      source data set (default source_data)\n"
              "    --sas-new NAME         new data set (default new_data)\n"
              "    --sas-append           write the output to the source data set\n"
              "    --no-sas-var-list      leave out the commented variable list\n"};
    case CodeType::Spss:
      return {{},
              {"--no-spss-remove-fields", "--no-spss-8char-warning", "--no-spss-var-list"},
              "    --no-spss-remove-fields --no-spss-8char-warning --no-spss-var-list\n"
              "                           untick that SPSS option (formats A and B become C)\n"};
    case CodeType::Java:
      return {{"--java-class"}, {}, "    --java-class NAME      class name (default Kestrium)\n"};
    case CodeType::F90:
      return {{"--fortran-program"},
              {},
              "    --fortran-program NAME program name (default Kestrium)\n"};
    default:
      return {};
  }
}

bool ConvertToCode(CodeType type, ConvertRequest& request) {
  Workspace& workspace = request.workspace;
  CodeExportSettings settings = SettingsFromArguments(type, request.args, workspace.network);
  // As the window: the text is generated from the name as typed, and Save only
  // checks that the name is not empty.
  CodeExportSettings checked = settings;
  if (!CheckOutputName(checked, request.messages)) return false;
  SystemClock clock;
  const std::string text = GenerateCode(
      settings, workspace.network, MakeGenerationStamp(workspace.state, clock), request.messages);
  if (text.empty()) return false;
  workspace.output_path = request.output_path;
  return WriteConvertedText(request, text);
}

}  // namespace

std::vector<ConverterEntry> CodeConverters() {
  std::vector<ConverterEntry> entries;
  for (const CodeTypeProfile& row : CodeTypeTable()) {
    const CodeType type = row.type;
    TypeOptions extra = OptionsOf(type);
    ConverterEntry entry;
    entry.kind = ModelKind::Network;
    entry.type = std::string(row.kdk_name);
    entry.value_options = kCommonValues;
    entry.value_options.insert(extra.values.begin(), extra.values.end());
    entry.flag_options = kCommonFlags;
    entry.flag_options.insert(extra.flags.begin(), extra.flags.end());
    // The options every code type shares are listed once, with the first type.
    if (type == CodeType::Equation) {
      entry.help = "  --to equation|sas|vb|c|f90|java|spss (network program code)\n";
      entry.help += kCommonHelp;
    }
    if (!extra.help.empty()) entry.help += "  --to " + entry.type + " also:\n" + extra.help;
    entry.run = [type](ConvertRequest& request) { return ConvertToCode(type, request); };
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace kdk::cli
