#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/mars/mars_evaluator.h"
#include "core/mars/mars_text_lines.h"
#include "core/mars/model_summary.h"
#include "core/mars/parse_mars_model.h"

namespace {

class QuietMessages : public kdk::MessagePort {
 public:
  kdk::MessageAnswer Show(std::string_view, std::string_view, kdk::MessageIcon,
                          kdk::MessageButtons) override {
    return kdk::MessageAnswer::Ok;
  }
};

}  // namespace

// Any pasted text: the parser either refuses it or yields a record whose shape holds;
// the evaluator either refuses the record or computes it for present and missing
// inputs without touching memory it does not own.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  QuietMessages messages;
  std::vector<std::string> lines;
  if (!kdk::SplitTextLines(text, lines)) return 0;
  kdk::MarsModel model;
  if (!kdk::ParseMarsLines(lines, model, messages)) return 0;
  if (model.basis_function_defs.empty() ||
      model.basis_function_defs.size() != model.basis_function_names.size() ||
      model.input_names.size() != model.is_categorical.size()) {
    std::abort();
  }
  kdk::ModelSummaryText(model, "/*", "", "*/");

  kdk::MarsEvaluator evaluator;
  std::string error;
  if (!evaluator.Compile(model, error)) {
    if (error.empty()) std::abort();
    return 0;
  }
  std::vector<std::optional<double>> inputs(model.input_names.size(), 1.5);
  evaluator.Evaluate(inputs);
  for (auto& value : inputs) value.reset();
  evaluator.Evaluate(inputs);
  return 0;
}
