#include "core/score/score_columns.h"

#include "core/common/model_text.h"
#include "core/common/text_utils.h"
#include "core/export/code/sql_names.h"

namespace kdk {
namespace {

std::string Comparable(std::string_view name) {
  return ToLowerAscii(TrimBlanks(name));
}

}  // namespace

bool MatchScoreColumns(const std::vector<SpssInput>& inputs,
                       std::span<const std::string_view> header, std::string_view prediction_name,
                       bool classifier, ScoreColumns& columns, std::string& error) {
  std::vector<std::string> comparable;
  comparable.reserve(header.size());
  // A header in UTF-8 (an SPSS file's names, a CSV saved as UTF-8) is compared as
  // model text.
  std::vector<std::string> written;
  written.reserve(header.size());
  for (std::string_view column : header) {
    written.push_back(PathAsModelText(column));
    comparable.push_back(Comparable(written.back()));
  }
  std::vector<bool> claimed(header.size(), false);
  // The unclaimed columns equal to `wanted`: as written, or (`loose`) trimmed and in
  // any case.
  auto matches = [&](std::string_view wanted, bool loose) {
    std::vector<std::size_t> found;
    const std::string key = Comparable(wanted);
    for (std::size_t c = 0; c < header.size(); ++c) {
      if (!claimed[c] && (loose ? comparable[c] == key : written[c] == wanted)) found.push_back(c);
    }
    return found;
  };
  // Inputs from `i` on that would look for the same columns.
  auto alike = [&](std::size_t i, std::string_view wanted, bool loose) {
    std::size_t count = 0;
    for (std::size_t j = i; j < inputs.size(); ++j) {
      count +=
          loose ? Comparable(inputs[j].stored) == Comparable(wanted) : inputs[j].stored == wanted;
    }
    return count;
  };
  columns = ScoreColumns{};
  std::vector<std::string> missing, ambiguous;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const SpssInput& input = inputs[i];
    std::size_t column = 0;
    bool matched = false, unclear = false;
    // Inputs of one name take that name's columns in order, as many as there are.
    for (int tier = 0; tier < 3 && !matched && !unclear; ++tier) {
      const std::string_view wanted = tier < 2 ? input.stored : input.compared;
      const std::vector<std::size_t> found = matches(wanted, tier > 0);
      if (found.empty()) continue;
      if (found.size() == 1 || (tier < 2 && found.size() == alike(i, wanted, tier > 0))) {
        column = found[0];
        matched = true;
      } else {
        unclear = true;
      }
    }
    if (matched) claimed[column] = true;
    if (unclear) ambiguous.push_back(input.stored);
    if (!matched && !unclear) missing.push_back(input.stored);
    columns.input_columns.push_back(column);
  }
  if (!missing.empty() || !ambiguous.empty()) {
    error.clear();
    if (!missing.empty()) error = SpssMismatchMessage(missing);
    for (const std::string& name : ambiguous) {
      if (!error.empty()) error.append("\r\n");
      error.append("The input ").append(name).append(" is not one column of the data alone.");
    }
    return false;
  }
  // The rule an SQL output column follows beside the inputs, the names compared trimmed.
  std::vector<std::string> taken;
  for (std::string_view column : header) taken.push_back(TrimBlanks(column));
  auto add = [&](const std::string& wanted) {
    columns.added.push_back(SqlNameBeside(wanted, taken));
    taken.push_back(columns.added.back());
  };
  add(std::string(prediction_name));
  if (classifier) {
    add(std::string(prediction_name) + "_class");
    add(std::string(prediction_name) + "_strength");
  }
  return true;
}

}  // namespace kdk
