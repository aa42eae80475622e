#include "fakes/weights_file_builder.h"

#include "core/common/number_text.h"

namespace kdk::testing {

std::string BuildWeightsFile(const WeightsFileRecipe& recipe) {
  std::vector<std::vector<std::string>> rows;
  const size_t n = recipe.inputs.size();
  const size_t h = recipe.who.size();
  rows.push_back({"\"INPUTS\"", "1"});
  rows.push_back({std::to_string(static_cast<long long>(n) - 1), std::to_string(recipe.c_x)});
  rows.push_back({"a", "b", "c", "d", "e"});
  rows.push_back({"\"INPUT LIST\""});
  for (size_t i = 0; i < n; ++i) {
    const TestInput& in = recipe.inputs[i];
    rows.push_back({std::to_string(i + 1), "\"" + in.name + "\"", "NUMERIC",
                    NumberText(in.max_norm), NumberText(in.min_norm), NumberText(in.seen_max),
                    NumberText(in.seen_min)});
  }
  rows.push_back({"OUTPUT", "1"});
  rows.push_back({"\"" + recipe.output_name + "\"", "NUMERIC", NumberText(recipe.max_norm_out),
                  NumberText(recipe.min_norm_out), NumberText(recipe.seen_max_out),
                  NumberText(recipe.seen_min_out)});
  if (recipe.c_x >= 0) {
    rows.push_back({"EXTRA", "x"});
    std::vector<std::string> extra;
    for (int j = 0; j <= recipe.c_x; ++j) extra.push_back("x" + std::to_string(j));
    rows.push_back(extra);
  }
  rows.push_back({"HIDDEN", "1"});
  rows.push_back({std::to_string(h), "p", "q", "r", "s"});
  for (const std::string& type : recipe.hidden_types) rows.push_back({"\"" + type + "\""});
  rows.push_back({"WEIGHTS", "1"});
  for (size_t i = 0; i < recipe.wih.size(); ++i) {
    for (size_t k = 0; k < recipe.wih[i].size(); ++k) {
      rows.push_back({NumberText(recipe.wih[i][k]), std::to_string(i + 1), std::to_string(k + 1)});
    }
  }
  for (size_t k = 0; k < h; ++k) rows.push_back({NumberText(recipe.who[k]), std::to_string(k + 1)});
  rows.push_back({"END"});

  std::string text = recipe.opening + recipe.line_end + recipe.header + recipe.line_end;
  for (const auto& row : rows) {
    for (size_t j = 0; j < row.size(); ++j) {
      text += row[j];
      if (recipe.one_field_per_line) {
        text += recipe.line_end;
      } else {
        text += j + 1 < row.size() ? "," : recipe.line_end;
      }
    }
  }
  for (const std::string& line : recipe.trailing_lines) text += line + recipe.line_end;
  return text;
}

WeightsFileRecipe SmallNetworkRecipe() {
  WeightsFileRecipe recipe;
  recipe.inputs = {{"alpha", 10, 0, 1, -1}, {"beta", 5, -5, 0.5, -0.5}};
  recipe.hidden_types = {"NONLINEAR", "LINEAR"};
  recipe.wih = {{0.5, -0.25, 9}, {1.5, 0.75, 9}, {-0.125, 0.3, 9}};
  recipe.who = {0.8, -0.4, 0.1};
  return recipe;
}

long long CountFields(const WeightsFileRecipe& recipe) {
  const long long n = static_cast<long long>(recipe.inputs.size());
  const long long h = static_cast<long long>(recipe.who.size());
  long long count =
      3 + 2 + 2 + 5 + 1 + 7 * n + 2 + 6 + 2 + 5 + (h - 1) + 2 + 3 * (n + 1) * h + 2 * h + 1;
  if (recipe.c_x >= 0) count += recipe.c_x + 3;
  return count;
}

}  // namespace kdk::testing
