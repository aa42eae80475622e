#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/export/code/mars_spss.h"
#include "core/export/code/mars_sql.h"
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
// the evaluator and every MARS converter (SQL in both dialects, with and without
// brackets, and SPSS) then accept it alike, and compute or write it without touching
// memory they do not own; an SQL query is refused only for its size.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  QuietMessages messages;
  kdk::MarsModel model;
  // Read as pasted text is: its encoding decided (UTF-8 or the code page), then parsed.
  if (!kdk::ParseMarsText(text, model, messages)) return 0;
  if (model.basis_function_defs.empty() ||
      model.basis_function_defs.size() != model.basis_function_names.size() ||
      model.input_names.size() != model.is_categorical.size()) {
    std::abort();
  }
  kdk::ModelSummaryText(model, "/*", "", "*/");

  kdk::MarsEvaluator evaluator;
  std::string error;
  // A parsed model has passed the converters' reading: the evaluator takes it.
  if (!evaluator.Compile(model, error)) std::abort();
  for (const auto dialect : {kdk::SqlDialect::SqlServer, kdk::SqlDialect::Access}) {
    for (const bool brackets : {true, false}) {
      kdk::MarsSqlOptions options;
      options.dialect = dialect;
      options.bracket_field_names = brackets;
      std::string sql;
      if (!kdk::BuildMarsSql(model, options, sql, error) &&
          error.find("longer than") == std::string::npos) {
        std::abort();
      }
      if (sql.size() > kdk::kMaxMarsSqlExpressionBytes + 1024 * 1024) std::abort();
      // The model information is one comment: nothing from the model ends it early.
      const size_t end = sql.find("*/");
      if (end != std::string::npos && sql.find("*/", end + 2) != std::string::npos) std::abort();
    }
  }
  std::string spss;
  // SPSS refuses only names it cannot take as variables.
  if (!kdk::BuildMarsSpss(model, kdk::MarsSpssOptions{}, spss, error) &&
      error.find("is not a name SPSS accepts") == std::string::npos) {
    std::abort();
  }
  std::vector<std::optional<double>> inputs(model.input_names.size(), 1.5);
  evaluator.Evaluate(inputs);
  for (auto& value : inputs) value.reset();
  evaluator.Evaluate(inputs);
  return 0;
}
