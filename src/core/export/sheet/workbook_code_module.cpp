#include "core/export/sheet/workbook_code_module.h"

#include "core/common/text_utils.h"
#include "core/export/sheet/prepare_data_macro.h"
#include "core/export/sheet/workbook_code_blocks.h"
#include "core/export/sheet/workbook_names.h"
#include "core/mars/model_summary.h"

namespace kdk {
namespace {

PrepareDataMacroInput MacroInput(const std::vector<std::string>& inputs, std::string_view output,
                                 std::string_view base, std::string_view kind, bool is_classifier) {
  return {static_cast<int>(inputs.size()) + 1,
          NamesOfWorkbook(base).function,
          inputs,
          std::string(output),
          std::string(kind),
          is_classifier};
}

}  // namespace

std::string NetworkCodeModuleText(const NetworkCodePieces& pieces, std::string_view base,
                                  const NetworkModel& model) {
  const std::string blocks[] = {
      pieces.header,
      pieces.data_definitions,
      WorkbookConstantsBlock(),
      pieces.model_values,
      pieces.forward_pass,
      pieces.normalise,
      pieces.tanh,
      CalculateItBlock(base, model.is_classifier),
      WorkbookWarningsBlock(model.is_classifier),
      PrepareDataMacroText(MacroInput(model.input_names, model.output_name, base, kModelKindNetwork,
                                      model.is_classifier)),
  };
  std::size_t size = 0;
  for (const std::string& block : blocks) size += block.size() + 2;
  std::string out;
  out.reserve(size);
  for (const std::string& block : blocks) AppendLine(out, block);
  return out;
}

std::string MarsCodeModuleText(const MarsCodePieces& pieces, std::string_view base,
                               const MarsModel& model, std::string_view model_path,
                               std::string_view now_text) {
  const std::string blocks[] = {
      MarsModuleHeaderBlock(model_path, now_text),
      ModelSummaryText(model, "", "'", ""),
      pieces.declarations,
      pieces.calculation,
      MarsCalculateItBlock(base) + pieces.represents_null,
      PrepareDataMacroText(
          MacroInput(model.input_names, model.output_name, base, kModelKindMars, false)),
  };
  std::size_t size = 0;
  for (const std::string& block : blocks) size += block.size() + 2;
  std::string out;
  out.reserve(size);
  for (const std::string& block : blocks) AppendLine(out, block);
  return out;
}

}  // namespace kdk
